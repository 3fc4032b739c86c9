#include "phrase_commands.h"

#include "Unit1.h"
#include "error_box.h"
#include "find_window.h"
#include "my_phrases_editor.h"
#include "phrase_card.h"
#include "phrase_data/phrase_index.h"
#include "phrase_grid.h"
#include "phrase_list_document.h"
#include "speech_player.h"
#include "speller_window.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>

using phrase_data::LanguageField;
using phrase_data::MyPhraseFile;
using phrase_data::PhraseCatalogue;

namespace {

QString fieldName(LanguageField field)
{
    return QString::fromLatin1(PhraseCatalogue::fieldName(field));
}

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
        m_findWindow = std::make_unique<FindWindow>(*m_phraseIndex, *m_form.DBGrid1, &m_form);
        connect(m_findWindow.get(), &FindWindow::rowChosen, &m_form, &TForm1::showFoundRow);
    }
    bringUp(*m_findWindow);
}

void PhraseCommands::showPhraseCard()
{
    if (!m_phraseCard)
        m_phraseCard = std::make_unique<PhraseCard>(*m_form.DBGrid1, m_form.DataSource1, speechPlayer(), &m_form);
    bringUp(*m_phraseCard);
}

MyPhrasesEditor& PhraseCommands::myPhrases()
{
    if (!m_myPhrases) m_myPhrases = std::make_unique<MyPhrasesEditor>(MyPhraseFile::defaultPath(), &m_form);
    return *m_myPhrases;
}

QString PhraseCommands::myPhrasesReadOnlyReason() const
{
    return m_myPhrases ? m_myPhrases->file().readOnlyReason() : QString();
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
}

void PhraseCommands::editPhrase()
{
    if (!m_form.showingMyPhrases()) return;
    ErrorBox::guard(
        [this] {
            afterMyPhrasesChange(myPhrases().edit(m_form.DBGrid1->currentIndex().row(), m_form.DBGrid1->font()));
        },
        &m_form);
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
    const phrase_data::DataSource& source = m_form.DataSource1;
    phrase_data::PhraseTexts start;
    for (const auto& language : PhraseCatalogue::languages()) {
        const int column = source.fieldIndex(fieldName(language.field));
        if (column >= 0) start[std::size_t(language.field)] = source.text(row, column);
    }
    ErrorBox::guard(
        [&] {
            afterMyPhrasesChange(myPhrases().add(QStringLiteral("Add to my phrases"), start, m_form.DBGrid1->font()));
        },
        &m_form);
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
            if (dialog.exec() == QDialog::Accepted) document.print(printer);
        },
        &m_form);
}

void PhraseCommands::exportPdf()
{
    ErrorBox::guard(
        [this] {
            const QString caption = m_form.shownCaption();
            // Offered in the documents folder: the working directory is the program's data.
            const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                          .filePath(caption + QStringLiteral(".pdf"));
            const QString file = QFileDialog::getSaveFileName(&m_form, QStringLiteral("Export PDF"), suggested,
                                                              QStringLiteral("PDF (*.pdf)"));
            if (!file.isEmpty()) PhraseListDocument::fromGrid(*m_form.DBGrid1, caption).exportPdf(file);
        },
        &m_form);
}

std::optional<PhraseCommands::SpokenCell> PhraseCommands::currentCell() const
{
    const PhraseGrid& grid = *m_form.DBGrid1;
    const QModelIndex current = grid.currentIndex();
    if (!current.isValid()) return std::nullopt;
    const bool right = grid.logicalAt(GridPlace::Right) == current.column();
    const auto field = PhraseCatalogue::field(grid.columnFieldName(right ? GridPlace::Right : GridPlace::Left));
    if (!field) return std::nullopt;
    const phrase_data::DataSource& source = m_form.DataSource1;
    const auto cell = [&](LanguageField each) {
        const int column = source.fieldIndex(QLatin1String(PhraseCatalogue::fieldName(each)));
        return column < 0 ? QString() : source.text(current.row(), column);
    };
    const bool russian = *field == LanguageField::Rus || *field == LanguageField::RusP;
    return SpokenCell{*field, cell(russian ? LanguageField::Rus : *field),
                      russian ? cell(LanguageField::RusP) : QString()};
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
    if (const auto cell = currentCell()) speechPlayer().say(cell->field, cell->text, cell->rusP);
}

void PhraseCommands::showSpeller()
{
    if (!m_speller) m_speller = std::make_unique<SpellerWindow>(speechPlayer(), &m_form);
    const auto left = PhraseCatalogue::field(m_form.DBGrid1->columnFieldName(GridPlace::Left));
    const auto right = PhraseCatalogue::field(m_form.DBGrid1->columnFieldName(GridPlace::Right));
    m_speller->setLanguages(left.value_or(PhraseCatalogue::DefaultLeft), right.value_or(PhraseCatalogue::DefaultRight));
    bringUp(*m_speller);
}
