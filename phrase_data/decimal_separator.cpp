#include "decimal_separator.h"

#include <QLocale>

namespace phrase_data {

namespace {
char16_t& separator()
{
    static char16_t value = [] {
        const QString point = QLocale::system().decimalPoint();
        return point.size() == 1 ? point.front().unicode() : u'.';
    }();
    return value;
}
} // namespace

char16_t DecimalSeparator::current()
{
    return separator();
}

void DecimalSeparator::set(char16_t value)
{
    separator() = value;
}

} // namespace phrase_data
