#pragma once

#include <QMessageBox>
#include <functional>

// Where the program's modal boxes are shown. A test sets the answer to the next box beforehand:
// the box is then handed to that answerer instead of being shown, and its answer counts as the
// button pressed.
class MessageBox {
public:
    using Answerer = std::function<QMessageBox::StandardButton(const QMessageBox& box)>;

    // Shows the box and waits for the user; returns the button pressed (Escape and the close
    // button press the escape button).
    static QMessageBox::StandardButton exec(QMessageBox& box);
    // Answers the next box, once.
    static void setNextAnswer(Answerer answerer);

private:
    [[nodiscard]] static Answerer& nextAnswer();
};
