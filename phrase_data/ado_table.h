#pragma once

#include "phrase_catalogue.h"
#include "phrase_table.h"

#include <QObject>
#include <QString>

namespace phrase_data {

class AdoConnection;

// The data table of the connection's file, read whole: every row and every field, in the
// order the file gives them. Read-only.
class AdoTable : public QObject {
    Q_OBJECT

public:
    explicit AdoTable(AdoConnection& connection, QObject* parent = nullptr);
    ~AdoTable() override;

    [[nodiscard]] const QString& tableName() const { return m_tableName; }
    void setTableName(const QString& name) { m_tableName = name; }

    [[nodiscard]] bool active() const { return m_active; }
    // Opening reads the table from the connection's file (opening the connection first if it
    // is closed); does nothing when already active. Closing drops the rows.
    // Throws jet4::Error when the file has no such table; the table then stays closed.
    void setActive(bool active);
    // Reads the open table's rows again from the file. Throws jet4::Error when that fails; the
    // table is then closed.
    void refresh();

    // The rows of the open table; empty while closed.
    [[nodiscard]] const PhraseTable& rows() const { return m_rows; }

signals:
    void aboutToChange();
    void changed();

private:
    void replaceRows(PhraseTable rows, bool active);
    [[nodiscard]] jet4::Table readRows(jet4::Table storage = {}) const;

    AdoConnection& m_connection;
    QString m_tableName = QString::fromLatin1(PhraseCatalogue::DictTable);
    bool m_active = false;
    PhraseTable m_rows;
};

} // namespace phrase_data
