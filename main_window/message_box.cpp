#include "message_box.h"

#include <utility>

QMessageBox::StandardButton MessageBox::exec(QMessageBox& box)
{
    if (Answerer answerer = std::exchange(nextAnswer(), nullptr)) return answerer(box);
    return QMessageBox::StandardButton(box.exec());
}

void MessageBox::setNextAnswer(Answerer answerer)
{
    nextAnswer() = std::move(answerer);
}

MessageBox::Answerer& MessageBox::nextAnswer()
{
    static Answerer answerer;
    return answerer;
}
