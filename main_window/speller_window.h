#pragma once

#include "phrase_data/language_field.h"
#include "speech/call_sign_speller.h"

#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class SpeechPlayer;
class SpellingField;

// The speller: a call sign, name or QTH typed in, spelled with the spelling words of the two
// languages the grid shows, each with a button that says the spelling. Not modal: it stays open
// beside the main window while the contact goes on.
class SpellerWindow : public QWidget {
    Q_OBJECT

public:
    SpellerWindow(SpeechPlayer& player, QWidget* parent);

    // The two languages to spell in; the table is read again from its file.
    void setLanguages(phrase_data::LanguageField left, phrase_data::LanguageField right);
    [[nodiscard]] QString spelling(int side) const;
    [[nodiscard]] QLineEdit* input() const { return m_input; }
    [[nodiscard]] QPushButton* sayButton(int side) const { return m_say.at(std::size_t(side)); }

private:
    void respell();
    void say(int side);

    SpeechPlayer& m_player;
    QLineEdit* const m_input;
    std::array<QLabel*, 2> m_captions{};
    std::array<SpellingField*, 2> m_spellings{};
    std::array<QPushButton*, 2> m_say{};
    std::array<phrase_data::LanguageField, 2> m_fields{phrase_data::LanguageField::Rus,
                                                       phrase_data::LanguageField::Eng};
    std::optional<speech::CallSignSpeller> m_speller;
};
