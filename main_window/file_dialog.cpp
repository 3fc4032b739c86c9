#include "file_dialog.h"

#include "modal_hook.h"

#include <QFileDialog>
#include <optional>

namespace {
using NextFileName = ModalHook<std::optional<QString>>;
}

QString FileDialog::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter)
{
    if (const std::optional<QString> answer = NextFileName::take()) return *answer;
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void FileDialog::setNextFileName(const QString& fileName)
{
    NextFileName::setNext(fileName);
}
