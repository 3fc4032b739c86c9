#pragma once

#include "speech/spoken_row.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

namespace phrase_data {
class PhraseIndex;
}
class FindWindow;
class MyPhrasesEditor;
class PassingNote;
class PhraseCard;
class SpeechPlayer;
class SpellerWindow;
class TForm1;

// The commands of the main window's "Phrase" menu and the windows they open: the search, the
// phrase card, speech, the speller, the user's own phrases, print and PDF. The window keeps it
// as its last member, so that these windows go before the grid and the data they read.
class PhraseCommands : public QObject {
    Q_OBJECT

public:
    explicit PhraseCommands(TForm1& form);
    ~PhraseCommands() override;
    PhraseCommands(const PhraseCommands&) = delete;
    PhraseCommands& operator=(const PhraseCommands&) = delete;

    void find();
    void showPhraseCard();
    void say();
    void showSpeller();
    void openMyPhrases();
    void addPhrase();
    void editPhrase();
    void deletePhrase();
    void addToMyPhrases();
    void restoreBackup();
    void print();
    void exportPdf();

    // The search covers the user's own phrases once they exist, as they are after each change.
    void includeMyPhrasesInFind();
    // Why the user's own phrases cannot be changed here; empty when they can. The lock another
    // copy held is tried again first.
    [[nodiscard]] QString myPhrasesReadOnlyReason();

    // What Say says: the grid's current row in the current column's language, the left
    // column's when no language column is current, with the contact's values in its blanks.
    // None without a row.
    [[nodiscard]] std::optional<speech::SpokenRow> currentCell() const;

    // The windows, made when first asked for.
    [[nodiscard]] FindWindow* findWindow() const { return m_findWindow.get(); }
    [[nodiscard]] PhraseCard* phraseCard() const { return m_phraseCard.get(); }
    [[nodiscard]] SpellerWindow* spellerWindow() const { return m_speller.get(); }
    // The player the window says phrases with, made on first use; its failures show in the
    // error box.
    [[nodiscard]] SpeechPlayer& speechPlayer();

private:
    MyPhrasesEditor& myPhrases();
    // The note over the grid's foot for what passes without an answer.
    PassingNote& passingNote();
    void spellInGridLanguages();
    void afterMyPhrasesChange(std::optional<int> row);

    TForm1& m_form;
    // Members die in the reverse of this order: the windows first, then what they read.
    std::unique_ptr<MyPhrasesEditor> m_myPhrases;
    std::unique_ptr<phrase_data::PhraseIndex> m_phraseIndex;
    std::unique_ptr<SpeechPlayer> m_speechPlayer;
    std::unique_ptr<FindWindow> m_findWindow;
    std::unique_ptr<PhraseCard> m_phraseCard;
    std::unique_ptr<SpellerWindow> m_speller;
    PassingNote* m_passingNote = nullptr; // the grid's child
};
