#include "phrase_commands.h"

#include "Unit1.h"
#include "contact_blanks.h"
#include "error_box.h"
#include "file_dialog.h"
#include "find_window.h"
#include "my_phrases_editor.h"
#include "passing_note.h"
#include "phrase_card.h"
#include "phrase_data/phrase_index.h"
#include "phrase_grid.h"
#include "phrase_list_document.h"
#include "print_dialog.h"
#include "side_window_placement.h"
#include "speech_player.h"
#include "speller_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>

using phrase_data::LanguageField;
using phrase_data::MyPhraseFile;
using phrase_data::PhraseCatalogue;

namespace {

// Brings a window of the menu to the front, showing it if it was closed.
void bringUp(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

PhraseCommands::PhraseCommands(TForm1& form)
    : m_form(form)
{
}

PhraseCommands::~PhraseCommands() = default;

void PhraseCommands::find()
{
    if (!m_findWindow) {
        m_phraseIndex = std::make_unique<phrase_data::PhraseIndex>();
        includeMyPhrasesInFind();
        m_findWindow = std::make_unique<FindWindow>(*m_phraseIndex, *m_form.DBGrid1, m_form.contactBlanks(), &m_form);
        new SideWindowPlacement(m_findWindow.get(), &m_form);
        connect(m_findWindow.get(), &FindWindow::rowChosen, &m_form, &TForm1::showFoundRow);
        // Leaving Find, the next Enter opens the card of the grid's row.
        connect(m_findWindow.get(), &FindWindow::left, m_form.DBGrid1, qOverload<>(&QWidget::setFocus));
    }
    bringUp(*m_findWindow);
}

void PhraseCommands::showPhraseCard()
{
    if (!m_phraseCard) {
        m_phraseCard = std::make_unique<PhraseCard>(*m_form.DBGrid1, m_form.DataSource1, m_form.contactBlanks(),
                                                    speechPlayer(), &m_form);
        new SideWindowPlacement(m_phraseCard.get(), &m_form);
        // The card says which list its row is from; the window's title stays as designed.
        connect(m_form.DBGrid1->model(), &QAbstractItemModel::modelReset, m_phraseCard.get(),
                [this] { m_phraseCard->setListCaption(m_form.shownCaption()); });
    }
    m_phraseCard->setListCaption(m_form.shownCaption());
    bringUp(*m_phraseCard);
}

PassingNote& PhraseCommands::passingNote()
{
    if (!m_passingNote) m_passingNote = new PassingNote(m_form.DBGrid1);
    return *m_passingNote;
}

MyPhrasesEditor& PhraseCommands::myPhrases()
{
    if (!m_myPhrases) m_myPhrases = std::make_unique<MyPhrasesEditor>(MyPhraseFile::defaultPath(), &m_form);
    return *m_myPhrases;
}

QString PhraseCommands::myPhrasesReadOnlyReason()
{
    return m_myPhrases ? m_myPhrases->readOnlyReason() : QString();
}

void PhraseCommands::includeMyPhrasesInFind()
{
    if (!m_phraseIndex) return;
    // Listed once the file exists, so that a user without phrases of their own sees no skipped file.
    const QString path = QFile::decodeName(TForm1::myPhrasesDataPath());
    const bool listed = std::ranges::any_of(
        m_phraseIndex->sources(), [&](const phrase_data::PhraseSource& source) { return source.path == path; });
    if (!listed && QFile::exists(path)) m_phraseIndex->addSource({QStringLiteral("My phrases"), path});
    m_phraseIndex->invalidate();
}

void PhraseCommands::afterMyPhrasesChange(std::optional<int> row)
{
    if (row) includeMyPhrasesInFind();
    if (!row || !m_form.showingMyPhrases()) return;
    m_form.reloadMyPhrases(*row);
}

void PhraseCommands::openMyPhrases()
{
    ErrorBox::guard(
        [this] {
            myPhrases().open();
            m_form.showMyPhrases();
        },
        &m_form);
}

void PhraseCommands::addPhrase()
{
    ErrorBox::guard(
        [this] { afterMyPhrasesChange(myPhrases().add(QStringLiteral("Add phrase"), {}, m_form.DBGrid1->font())); },
        &m_form);
    m_form.DBGrid1->setFocus();
}

void PhraseCommands::editPhrase()
{
    if (!m_form.showingMyPhrases()) return;
    ErrorBox::guard(
        [this] {
            afterMyPhrasesChange(myPhrases().edit(m_form.DBGrid1->currentIndex().row(), m_form.DBGrid1->font()));
        },
        &m_form);
    m_form.DBGrid1->setFocus();
}

void PhraseCommands::deletePhrase()
{
    if (!m_form.showingMyPhrases()) return;
    ErrorBox::guard([this] { afterMyPhrasesChange(myPhrases().remove(m_form.DBGrid1->currentIndex().row())); },
                    &m_form);
}

void PhraseCommands::addToMyPhrases()
{
    const int row = m_form.DBGrid1->currentIndex().row();
    if (row < 0) return;
    // The stored texts, their blanks named: in My phrases they fill for each contact anew.
    const phrase_data::PhraseTexts start = m_form.DataSource1.texts(row);
    ErrorBox::guard(
        [&] {
            const std::optional<int> added =
                myPhrases().add(QStringLiteral("Add to my phrases"), start, m_form.DBGrid1->font());
            afterMyPhrasesChange(added);
            // Said in passing: the topic stays shown and nothing waits for an answer.
            if (added) passingNote().pass(QStringLiteral("Added to My phrases as row %1").arg(*added + 1));
        },
        &m_form);
    m_form.DBGrid1->setFocus();
}

void PhraseCommands::restoreBackup()
{
    ErrorBox::guard([this] { afterMyPhrasesChange(myPhrases().restoreBackup()); }, &m_form);
}

void PhraseCommands::print()
{
    ErrorBox::guard(
        [this] {
            const QString caption = m_form.shownCaption();
            const PhraseListDocument document = PhraseListDocument::fromGrid(*m_form.DBGrid1, caption);
            QPrinter printer;
            printer.setDocName(caption);
            QPrintDialog dialog(&printer, &m_form);
            if (PrintDialog::exec(dialog) == QDialog::Accepted) document.print(printer);
        },
        &m_form);
}

void PhraseCommands::exportPdf()
{
    ErrorBox::guard(
        [this] {
            const QString caption = m_form.shownCaption();
            // Offered in the documents folder, or the home folder where there is none: never the
            // working directory, which holds the program's data.
            QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
            const QString suggested = QDir(folder).filePath(caption + QStringLiteral(".pdf"));
            const QString file = FileDialog::saveFileName(&m_form, QStringLiteral("Export PDF"), suggested,
                                                          QStringLiteral("PDF (*.pdf)"));
            if (file.isEmpty()) return;
            PhraseListDocument::fromGrid(*m_form.DBGrid1, caption).exportPdf(file);
            passingNote().pass(QStringLiteral("Saved as %1").arg(QDir::toNativeSeparators(file)));
        },
        &m_form);
}

std::optional<speech::SpokenRow> PhraseCommands::currentCell() const
{
    const PhraseGrid& grid = *m_form.DBGrid1;
    const QModelIndex current = grid.currentIndex();
    if (!current.isValid()) return std::nullopt;
    const bool right = grid.logicalAt(GridPlace::Right) == current.column();
    const auto field = PhraseCatalogue::field(grid.columnFieldName(right ? GridPlace::Right : GridPlace::Left));
    if (!field) return std::nullopt;
    return speech::SpokenRow::of(m_form.contactBlanks().fill(m_form.DataSource1.texts(current.row())), *field);
}

SpeechPlayer& PhraseCommands::speechPlayer()
{
    if (!m_speechPlayer) {
        m_speechPlayer = std::make_unique<SpeechPlayer>();
        connect(m_speechPlayer.get(), &SpeechPlayer::failed, this,
                [this](const QString& message) { ErrorBox::show(message, &m_form); });
    }
    return *m_speechPlayer;
}

void PhraseCommands::say()
{
    if (const auto spoken = currentCell()) speechPlayer().say(spoken->field, spoken->text, spoken->rusP);
}

void PhraseCommands::showSpeller()
{
    if (!m_speller) {
        m_speller = std::make_unique<SpellerWindow>(speechPlayer(), m_form.contactBlanks(), &m_form);
        // The languages follow the grid's columns while the speller is open, as the card's do.
        connect(m_form.DBGrid1->model(), &QAbstractItemModel::headerDataChanged, m_speller.get(), [this] {
            if (m_speller->isVisible()) spellInGridLanguages();
        });
    }
    spellInGridLanguages();
    bringUp(*m_speller);
}

void PhraseCommands::spellInGridLanguages()
{
    const auto left = PhraseCatalogue::field(m_form.DBGrid1->columnFieldName(GridPlace::Left));
    const auto right = PhraseCatalogue::field(m_form.DBGrid1->columnFieldName(GridPlace::Right));
    m_speller->setLanguages(left.value_or(PhraseCatalogue::DefaultLeft), right.value_or(PhraseCatalogue::DefaultRight));
}
