#pragma once

#include <functional>

class QPrintDialog;

// Where the program shows the print dialog. A test sets the answer to the next dialog
// beforehand: the dialog is then handed to that answerer instead of being shown (it may set up
// the printer, say to print to a file), and the answer counts as the button pressed.
class PrintDialog {
public:
    using Answerer = std::function<int(QPrintDialog& dialog)>;

    // Shows the dialog and waits for the user; QDialog::Accepted when the user prints.
    static int exec(QPrintDialog& dialog);
    // Answers the next dialog, once.
    static void setNextAnswer(Answerer answerer);
};
