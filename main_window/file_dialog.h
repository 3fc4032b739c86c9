#pragma once

#include <QString>

class QWidget;

// Where the program asks for a file to save to. A test names the file beforehand with
// setNextFileName: the dialog then does not show, and the name counts as the user's choice (an
// empty name as Cancel).
class FileDialog {
public:
    // The file chosen, or empty when the user cancelled.
    [[nodiscard]] static QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                              const QString& filter);
    // Answers the next dialog, once.
    static void setNextFileName(const QString& fileName);
};
