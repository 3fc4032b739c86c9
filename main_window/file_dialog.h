#pragma once

#include <QString>
#include <functional>

class QWidget;

// Where the program asks for a file to save to. A test answers the next dialog beforehand: the
// dialog then does not show, and the answer counts as the user's choice (an empty name as Cancel).
class FileDialog {
public:
    // Handed the suggested path, returns the name chosen.
    using Answerer = std::function<QString(const QString& suggested)>;

    // The file chosen, or empty when the user cancelled.
    [[nodiscard]] static QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                              const QString& filter);
    // Answers the next dialog, once.
    static void setNextAnswer(Answerer answerer);
    static void setNextFileName(const QString& fileName);
};
