#pragma once

#include <QString>

// tarvolyn --spell FIELD TEXT: the spelling words of the field's language on one line.
class SpellCommand {
public:
    [[nodiscard]] static int run(const QString& fieldName, const QString& text);
};
