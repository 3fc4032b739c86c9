#include "write_error.h"

namespace jet4 {

WriteError::WriteError(const std::string& subject, const std::string& reason, std::optional<std::size_t> row,
                       std::optional<std::size_t> column)
    : Error(subject, reason)
    , m_reason(reason)
    , m_row(row)
    , m_column(column)
{
}

} // namespace jet4
