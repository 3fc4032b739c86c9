#include "ado_table.h"

#include "ado_connection.h"
#include "decimal_separator.h"

#include <stdexcept>

namespace phrase_data {

AdoTable::AdoTable(AdoConnection& connection, QObject* parent) : QObject(parent), m_connection(connection)
{
    m_connection.attach(this);
}

AdoTable::~AdoTable()
{
    m_connection.detach(this);
}

jet4::Table AdoTable::readRows() const
{
    return m_connection.database().readTable(m_tableName.toStdString(), DecimalSeparator::current());
}

void AdoTable::setActive(bool active)
{
    if (active == m_active)
        return;
    if (!active) {
        replaceRows({}, false);
        return;
    }
    m_connection.open();
    replaceRows(readRows(), true);
}

void AdoTable::refresh()
{
    if (!m_active)
        throw std::runtime_error(m_tableName.toStdString() + ": cannot refresh a closed table");
    replaceRows(readRows(), true);
}

void AdoTable::replaceRows(jet4::Table rows, bool active)
{
    emit aboutToChange();
    m_rows = std::move(rows);
    m_active = active;
    emit changed();
}

} // namespace phrase_data
