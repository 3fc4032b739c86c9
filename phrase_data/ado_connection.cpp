#include "ado_connection.h"

#include "ado_table.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

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

// The entry of dir whose name equals name without regard to case, if exactly that is absent.
std::filesystem::path findIgnoringCase(const std::filesystem::path& dir, const std::filesystem::path& name)
{
    std::error_code error;
    std::filesystem::path exact = dir / name; // not const: returned, it moves
    if (std::filesystem::exists(exact, error)) return exact;
    const QString wanted = QString::fromStdString(name.string());
    for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path candidate = it->path().filename();
        if (QString::fromStdString(candidate.string()).compare(wanted, Qt::CaseInsensitive) == 0)
            return dir / candidate;
    }
    return exact;
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
    QString source = dataSourceOf(connectionString);
    source.replace(u'\\', u'/');
    std::filesystem::path resolved;
    for (const QString& part : source.split(u'/')) {
        if (part.isEmpty()) {
            if (resolved.empty()) resolved = "/";
            continue;
        }
        const std::filesystem::path name = part.toStdString();
        resolved = (part == u"." || part == u"..") ? resolved / name : findIgnoringCase(resolved, name);
    }
    return resolved;
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
