#include "program_icon.h"

#include <QApplication>
#include <QIcon>

void ProgramIcon::install()
{
    QIcon icon(QStringLiteral(":/assets/icon16.png"));
    icon.addFile(QStringLiteral(":/assets/icon48.png"));
    QApplication::setWindowIcon(icon);
}
