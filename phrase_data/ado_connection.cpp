#include "ado_connection.h"

#include "ado_table.h"
#include "phrase_table.h"

#include <algorithm>
#include <stdexcept>

namespace phrase_data {

namespace {

QString dataSourceOf(const QString& connectionString)
{
    static const QString key = QStringLiteral("data source=");
    for (const QString& part : connectionString.split(u';')) {
        const QString trimmed = part.trimmed();
        if (trimmed.startsWith(key, Qt::CaseInsensitive)) return trimmed.mid(key.size()).trimmed();
    }
    return {};
}

} // namespace

AdoConnection::~AdoConnection()
{
    close();
}

void AdoConnection::setConnectionString(const QString& connectionString)
{
    m_connectionString = connectionString;
}

std::filesystem::path AdoConnection::resolveDataSource(const QString& connectionString)
{
    return PhraseTable::resolveDataPath(dataSourceOf(connectionString));
}

void AdoConnection::open()
{
    if (m_database) return;
    const std::filesystem::path path = resolveDataSource(m_connectionString);
    if (path.empty()) throw std::runtime_error("The connection names no data source");
    m_database.emplace(jet4::Database::open(path));
}

void AdoConnection::close()
{
    for (AdoTable* table : m_tables)
        table->setActive(false);
    m_database.reset();
}

const jet4::Database& AdoConnection::database() const
{
    if (!m_database) throw std::logic_error("AdoConnection: not connected");
    return *m_database;
}

void AdoConnection::attach(AdoTable* table)
{
    m_tables.push_back(table);
}

void AdoConnection::detach(AdoTable* table)
{
    std::erase(m_tables, table);
}

} // namespace phrase_data
