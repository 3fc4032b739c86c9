#include "enter_button.h"

#include <QKeyEvent>

EnterButton::EnterButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
}

void EnterButton::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        if (isEnabled()) click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
