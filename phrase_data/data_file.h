#pragma once

#include <QByteArray>
#include <QString>

namespace phrase_data {

class AdoConnection;
class AdoTable;

// The three operations through which the main window opens its data files. The path is
// the window's: a relative "dsb\name.dsb" in the local 8-bit encoding.

// "Provider=MSDataShape.1;Data Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>".
[[nodiscard]] QString BuildConnectionString(const QByteArray& dataFilePath);

// Closes the connection and with it the table; closing a closed connection does nothing.
void CloseDataFile(AdoConnection& connection);

// The load sequence: while the connection is closed it is pointed at dataFilePath; then the
// connection opens (a no-op when open, so an open file stays open whatever the path now says),
// the table opens (a no-op when open) and its rows are read again. A failure propagates at the
// step that failed: opening the file leaves the connection closed, opening the table leaves
// it open; the table is closed either way.
void LoadDataFile(AdoConnection& connection, AdoTable& table, const QByteArray& dataFilePath);

} // namespace phrase_data
