#pragma once

#include "jet4/reader.h"

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

namespace phrase_data {

class AdoTable;

// The connection to one data file. Its connection string names the file after "Data Source=";
// opening it opens that file read-only through the jet4 reader, and it stays open, on the same
// file, until closed. Never prompts for a login.
class AdoConnection {
public:
    AdoConnection() = default;
    AdoConnection(const AdoConnection&) = delete;
    AdoConnection& operator=(const AdoConnection&) = delete;
    ~AdoConnection();

    [[nodiscard]] const QString& connectionString() const { return m_connectionString; }
    void setConnectionString(const QString& connectionString);

    [[nodiscard]] bool connected() const { return m_database.has_value(); }
    // Opens the file the connection string names; does nothing when already open.
    // Throws jet4::Error naming the file when it is missing, unreadable or not a database.
    void open();
    // Closes the file and every table on it; does nothing when already closed.
    void close();

    // The open database; only while connected.
    [[nodiscard]] const jet4::Database& database() const;

    // The file a connection string's "Data Source" names, as PhraseTable::resolveDataPath finds it.
    [[nodiscard]] static std::filesystem::path resolveDataSource(const QString& connectionString);

private:
    friend class AdoTable;
    void attach(AdoTable* table);
    void detach(AdoTable* table);

    QString m_connectionString;
    std::optional<jet4::Database> m_database;
    std::vector<AdoTable*> m_tables;
};

} // namespace phrase_data
