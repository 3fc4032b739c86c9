#include "data_file.h"

#include "ado_connection.h"
#include "ado_table.h"

namespace phrase_data {

QString BuildConnectionString(const QByteArray& dataFilePath)
{
    const QByteArray text =
        QByteArrayLiteral("Provider=MSDataShape.1;Data Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dataFilePath;
    return QString::fromLocal8Bit(text);
}

void CloseDataFile(AdoConnection& connection)
{
    connection.close();
}

void LoadDataFile(AdoConnection& connection, AdoTable& table, const QByteArray& dataFilePath)
{
    if (!connection.connected()) connection.setConnectionString(BuildConnectionString(dataFilePath));
    connection.open();
    table.setActive(true);
    table.refresh();
}

} // namespace phrase_data
