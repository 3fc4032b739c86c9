#pragma once

// What the rest of the project writes Jet 4 files with: DatabaseWriter makes a file of one
// Text(255) table; bad input or a failed write is a jet4::WriteError (a jet4::Error).
#include "jet4/format/utf8_codec.h"
#include "jet4/write/database_writer.h"
#include "jet4/write/write_error.h"
