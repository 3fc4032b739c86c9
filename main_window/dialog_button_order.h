#pragma once

#include <QProxyStyle>

class QMessageBox;

// Lays a box's buttons out as the platform the windows were designed for does, "OK" left of
// "Cancel", whatever order the desktop prefers (GNOME's puts "Cancel" first).
class DialogButtonOrder : public QProxyStyle {
    Q_OBJECT

public:
    static void keepOkFirst(QMessageBox& box);

    [[nodiscard]] int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* returnData) const override;

private:
    DialogButtonOrder();
};
