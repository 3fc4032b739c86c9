#include "error_box.h"

#include "message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

QString ErrorBox::messageText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.')) return message + u'.';
    return message;
}

void ErrorBox::show(const QString& message, QWidget* parent)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), messageText(message), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    MessageBox::exec(box);
    // The window the error came from takes the keyboard back, whatever the desktop activates next.
    if (parent) parent->window()->activateWindow();
}
