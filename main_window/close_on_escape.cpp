#include "close_on_escape.h"

#include <QShortcut>
#include <QWidget>

void closeOnEscape(QWidget& window)
{
    // A shortcut, not an action: it shows in no context menu.
    new QShortcut(QKeySequence(Qt::Key_Escape), &window, &window, &QWidget::close, Qt::WidgetWithChildrenShortcut);
}
