#include "error_box.h"

#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

QString ErrorBox::messageText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.')) return message + u'.';
    return message;
}

void ErrorBox::show(const QString& message, QWidget* parent)
{
    // The window the user was in takes the keyboard back, whatever the desktop activates next:
    // the phrase card stays the window Alt+F4 closes when its Say failed.
    const QPointer<QWidget> active = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), messageText(message), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    MessageBox::exec(box);
    if (active)
        active->activateWindow();
    else if (parent)
        parent->window()->activateWindow();
}
