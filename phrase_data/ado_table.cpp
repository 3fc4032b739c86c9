#include "ado_table.h"

#include "ado_connection.h"
#include "decimal_separator.h"

#include <stdexcept>
#include <utility>

namespace phrase_data {

AdoTable::AdoTable(AdoConnection& connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
{
    m_connection.attach(this);
}

AdoTable::~AdoTable()
{
    m_connection.detach(this);
}

jet4::Table AdoTable::readRows(jet4::Table storage) const
{
    return m_connection.database().readTable(m_tableName.toStdString(), DecimalSeparator::current(),
                                             std::move(storage));
}

void AdoTable::setActive(bool active)
{
    if (active == m_active) return;
    if (!active) {
        replaceRows({}, false);
        return;
    }
    m_connection.open();
    replaceRows(PhraseTable(readRows()), true);
}

void AdoTable::refresh()
{
    if (!m_active) throw std::runtime_error(m_tableName.toStdString() + ": cannot refresh a closed table");
    // The rows read before lend their memory to the new ones, so a large table is never held
    // twice; a failed read therefore leaves the table closed and empty.
    emit aboutToChange();
    jet4::Table storage = m_rows.release();
    try {
        m_rows = PhraseTable(readRows(std::move(storage)));
    } catch (...) {
        m_active = false;
        emit changed();
        throw;
    }
    emit changed();
}

void AdoTable::replaceRows(PhraseTable rows, bool active)
{
    emit aboutToChange();
    m_rows = std::move(rows);
    m_active = active;
    emit changed();
}

} // namespace phrase_data
