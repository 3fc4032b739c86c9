#include "dialog_button_order.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>

DialogButtonOrder::DialogButtonOrder()
    : QProxyStyle(QApplication::style()->name())
{
}

void DialogButtonOrder::keepOkFirst(QMessageBox& box)
{
    auto* buttons = box.findChild<QDialogButtonBox*>();
    auto* style = new DialogButtonOrder;
    // The style lives as long as the box; the button box lays itself out anew when it changes.
    style->setParent(&box);
    buttons->setStyle(style);
}

int DialogButtonOrder::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const
{
    if (hint == SH_DialogButtonLayout) return QDialogButtonBox::WinLayout;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
