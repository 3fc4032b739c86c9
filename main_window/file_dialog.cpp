#include "file_dialog.h"

#include "modal_hook.h"

#include <QFileDialog>

namespace {
using NextAnswer = ModalHook<FileDialog::Answerer>;
}

QString FileDialog::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter)
{
    if (const Answerer answer = NextAnswer::take()) return answer(suggested);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void FileDialog::setNextAnswer(Answerer answerer)
{
    NextAnswer::setNext(std::move(answerer));
}

void FileDialog::setNextFileName(const QString& fileName)
{
    setNextAnswer([fileName](const QString&) { return fileName; });
}
