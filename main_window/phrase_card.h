#pragma once

#include "phrase_data/phrase_texts.h"

#include <QWidget>

namespace phrase_data {
class DataSource;
}
class ContactBlanks;
class PhraseGrid;
class SpeechPlayer;
class QFont;
class QLabel;
class QVBoxLayout;

// The grid's current row whole, for reading aloud on the air: the two languages the grid shows
// in large type, then the pronunciation aid (the phonetic Russian when Russian is shown; the
// Japanese carries its romaji), then the row's other languages in smaller type. It follows the
// grid's current row while it is open; its text is selectable, and Copy with nothing selected
// copies the two shown languages, as does the Copy button at the top, beside the caption of the
// list shown. Each language has a Say button; Enter presses a focused button. The texts show
// the contact's values in their blanks, and show again when the values change.
class PhraseCard : public QWidget {
    Q_OBJECT

public:
    static constexpr int LargeScale = 3;

    PhraseCard(const PhraseGrid& grid, const phrase_data::DataSource& source, const ContactBlanks& blanks,
               SpeechPlayer& player, QWidget* parent);

    // The label that shows a field's text; null when the card does not show that field.
    [[nodiscard]] QLabel* textLabel(const QString& field) const;
    // The fields the card shows, top to bottom.
    [[nodiscard]] QStringList shownFields() const;

    void copy() const;
    // The caption of the topic or list the grid shows ("My phrases", "Antenna").
    void setListCaption(const QString& caption);
    [[nodiscard]] QString listCaption() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    // One language's row: its caption and its text. Everything a language's row holds is made
    // here, so a control for the language goes here too.
    void addLanguageRow(const QString& field, const QString& text, const QFont& font);

    const PhraseGrid& m_grid;
    const phrase_data::DataSource& m_source;
    const ContactBlanks& m_blanks;
    SpeechPlayer& m_player;
    // The row's texts filled, as the Say buttons say them.
    phrase_data::PhraseTexts m_row;
    QWidget* const m_rows;
    QVBoxLayout* const m_layout;
    QLabel* const m_listCaption;
    QStringList m_fields;
};
