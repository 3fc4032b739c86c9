#include "save_file_dialog.h"

#include <QFileDialog>
#include <utility>

QString SaveFileDialog::ask(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter)
{
    if (Answerer answerer = std::exchange(nextAnswer(), nullptr)) return answerer(suggested);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void SaveFileDialog::setNextAnswer(Answerer answerer)
{
    nextAnswer() = std::move(answerer);
}

SaveFileDialog::Answerer& SaveFileDialog::nextAnswer()
{
    static Answerer answerer;
    return answerer;
}
