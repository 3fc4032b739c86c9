#pragma once

#include <QString>
#include <functional>

class QWidget;

// Where the program asks for the name of a file to write. A test sets the answer to the next
// question beforehand, as for MessageBox: the answerer is handed the suggested path and its
// answer counts as the name chosen (empty: cancelled).
class SaveFileDialog {
public:
    using Answerer = std::function<QString(const QString& suggested)>;

    [[nodiscard]] static QString ask(QWidget* parent, const QString& caption, const QString& suggested,
                                     const QString& filter);
    // Answers the next question, once.
    static void setNextAnswer(Answerer answerer);

private:
    [[nodiscard]] static Answerer& nextAnswer();
};
