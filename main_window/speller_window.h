#pragma once

#include "grid_place.h"
#include "phrase_data/language_field.h"
#include "speech/call_sign_speller.h"

#include <QWidget>
#include <array>
#include <optional>

class ContactBlanks;
class QLabel;
class QLineEdit;
class QPushButton;
class SpeechPlayer;
class SpellingField;

// The speller: a call sign, name or QTH typed in, spelled with the spelling words of the two
// languages the grid shows, one character to a line ("Q — Quebec"), each language with a
// button that says the spelling. Not modal: it stays open beside the main window while the
// contact goes on. A blank typed in ("{their_call}") is spelled as the value it has.
class SpellerWindow : public QWidget {
    Q_OBJECT

public:
    SpellerWindow(SpeechPlayer& player, const ContactBlanks& blanks, QWidget* parent);

    // The two languages to spell in; the table is read again from its file.
    void setLanguages(phrase_data::LanguageField left, phrase_data::LanguageField right);
    [[nodiscard]] QString spelling(GridPlace side) const;
    [[nodiscard]] QLineEdit* input() const { return m_input; }
    [[nodiscard]] QPushButton* sayButton(GridPlace side) const { return m_say.at(languageSlot(side)); }

private:
    void respell();
    void say(GridPlace side);

    // The input with its blanks filled in the form a language takes.
    [[nodiscard]] QString filledInput(phrase_data::LanguageField field) const;

    SpeechPlayer& m_player;
    const ContactBlanks& m_blanks;
    QLineEdit* const m_input;
    std::array<QLabel*, LanguagePlaces.size()> m_captions{};
    std::array<SpellingField*, LanguagePlaces.size()> m_spellings{};
    std::array<QPushButton*, LanguagePlaces.size()> m_say{};
    std::array<phrase_data::LanguageField, LanguagePlaces.size()> m_fields{phrase_data::LanguageField::Rus,
                                                                           phrase_data::LanguageField::Eng};
    std::optional<speech::CallSignSpeller> m_speller;
};
