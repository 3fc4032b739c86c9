#include "data_file_name.h"

std::string dataFileBaseName(const char* dataFile)
{
    const std::string path(dataFile);
    return path.substr(4, path.size() - 8); // "dsb\" + name + ".dsb"
}
