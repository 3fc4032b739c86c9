#pragma once

#include <QString>

namespace phrase_data {

// The folder of phrase files every part of the program reads: dsb/ in the working directory.
class DataFolder {
public:
    // What to tell a user who started the program elsewhere, naming the folder it looked in;
    // empty when the folder is there.
    [[nodiscard]] static QString missingMessage();
};

} // namespace phrase_data
