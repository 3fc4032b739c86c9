#pragma once

#include <QPushButton>

// A push button that Enter and Return press as well as Space, as a user of the keyboard
// expects outside a dialog (where only a dialog's default button takes Enter).
class EnterButton : public QPushButton {
    Q_OBJECT

public:
    EnterButton(const QString& text, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
