#include "data_folder.h"

#include <QDir>
#include <QFileInfo>

namespace phrase_data {

QString DataFolder::missingMessage()
{
    const QFileInfo folder(QDir::current().filePath(QStringLiteral("dsb")));
    if (folder.isDir()) return {};
    return QStringLiteral("The phrase files are not here: there is no folder %1. Start Tarvolyn in the folder that "
                          "holds dsb/ (share/tarvolyn where it is installed).")
        .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
}

} // namespace phrase_data
