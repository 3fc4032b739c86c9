#pragma once

// What the rest of the project reads Jet 3 and Jet 4 files with: Database opens a file and
// reads its tables into a Table; every failure is a jet4::Error naming the file.
#include "jet4/format/error.h"
#include "jet4/format/utf8_codec.h"
#include "jet4/read/database.h"
#include "jet4/read/table.h"
