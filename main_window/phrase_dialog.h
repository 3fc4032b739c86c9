#pragma once

#include "phrase_data/my_phrase_file.h"

#include <QDialog>
#include <array>
#include <functional>

class QLineEdit;

// One phrase of the user's own file, a line per language in that language's font. OK checks
// the texts (at least one, none longer than a field holds) and hands them to the save
// function; when saving fails the box shows the error and the dialog stays open with the texts
// as typed, so the user can try again.
class PhraseDialog : public QDialog {
    Q_OBJECT

public:
    using Save = std::function<void(const phrase_data::PhraseTexts&)>;
    // A test's hand: it types into the shown dialog and presses its buttons.
    using Answerer = std::function<void(PhraseDialog& dialog)>;

    PhraseDialog(const QString& title, const phrase_data::PhraseTexts& start, const QFont& font, Save save,
                 QWidget* parent = nullptr);

    [[nodiscard]] phrase_data::PhraseTexts texts() const;
    [[nodiscard]] QLineEdit* field(phrase_data::LanguageField field) const;

    void accept() override;

    // Shows the dialog and waits until it closes, as exec() does; a dialog that a test answers
    // shows without a loop of its own and is handed to the answerer, and one it leaves open is
    // cancelled.
    int run();
    // Answers the next dialog, once.
    static void setNextAnswer(Answerer answerer);

private:
    // Why the texts cannot be saved, and the field to mend; no field when they can.
    struct Problem {
        QString message;
        QLineEdit* field = nullptr;
    };
    [[nodiscard]] Problem problem() const;

    std::array<QLineEdit*, phrase_data::LanguageFieldCount> m_fields{};
    Save m_save;
};
