// The program's entry: the main window is created first and stays hidden, the splash window
// shows at once and hands over to it, and the program runs until the main window closes.
// With arguments, it runs one command of the command line instead and opens no window.

#include "Unit2.h"
#include "command_line.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    if (CommandLine::wanted(argc, argv)) {
        const QCoreApplication application(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("tarvolyn"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TARVOLYN_VERSION));
        return CommandLine::run(QCoreApplication::arguments());
    }

    QApplication application(argc, argv);
    // The title of the task-bar button and of the error box.
    QApplication::setApplicationName(QStringLiteral("Tarvolin"));
    QApplication::setApplicationVersion(QStringLiteral(TARVOLYN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tarvolyn"));
    QIcon icon(QStringLiteral(":/assets/icon16.png"));
    icon.addFile(QStringLiteral(":/assets/icon48.png"));
    QApplication::setWindowIcon(icon);
    FontSubstitutes::install();

    TForm1 Form1;
    // Visible as designed: the splash shows itself at once and starts its timer.
    const TForm2 Form2(&Form1);
    return QApplication::exec();
}
