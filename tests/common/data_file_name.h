#pragma once

#include <string>

// The base name of a data file as the catalogue names it: "dsb\weath.dsb" -> "weath".
[[nodiscard]] std::string dataFileBaseName(const char* dataFile);
