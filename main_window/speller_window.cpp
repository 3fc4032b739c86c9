#include "speller_window.h"

#include "close_on_escape.h"
#include "contact_blanks.h"
#include "enter_button.h"
#include "error_box.h"
#include "phrase_data/phrase_catalogue.h"
#include "speech_player.h"
#include "spelling_field.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBoundaryFinder>
#include <algorithm>

using phrase_data::LanguageField;
using phrase_data::PhraseCatalogue;

SpellerWindow::SpellerWindow(SpeechPlayer& player, const ContactBlanks& blanks, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_player(player)
    , m_blanks(blanks)
    , m_input(new QLineEdit(this))
{
    setObjectName(QStringLiteral("SpellerWindow"));
    setWindowTitle(tr("Speller"));
    m_input->setObjectName(QStringLiteral("SpellerInput"));
    m_input->setPlaceholderText(tr("Call sign, name or QTH"));
    m_input->setAccessibleName(tr("Spelling"));
    m_input->setAccessibleDescription(m_input->placeholderText());
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_input, 0, 0, 1, 3);
    for (const GridPlace side : LanguagePlaces) {
        const std::size_t slot = languageSlot(side);
        const int row = int(slot) + 1;
        auto& caption = m_captions.at(slot);
        auto& spelling = m_spellings.at(slot);
        auto& say = m_say.at(slot);
        caption = new QLabel(this);
        spelling = new SpellingField(this);
        spelling->setObjectName(QStringLiteral("SpellerSpelling%1").arg(slot));
        spelling->setMinimumWidth(320);
        say = new EnterButton(tr("Say"), this);
        say->setObjectName(QStringLiteral("SpellerSay%1").arg(slot));
        connect(say, &QPushButton::clicked, this, [this, side] { this->say(side); });
        layout->addWidget(caption, row, 0, Qt::AlignTop);
        layout->addWidget(spelling, row, 1);
        layout->addWidget(say, row, 2, Qt::AlignTop);
    }
    layout->setColumnStretch(1, 1);
    connect(m_input, &QLineEdit::textChanged, this, &SpellerWindow::respell);
    connect(&m_blanks, &ContactBlanks::changed, this, &SpellerWindow::respell);
    closeOnEscape(*this);
}

void SpellerWindow::setLanguages(LanguageField left, LanguageField right)
{
    m_fields = {left, right};
    for (std::size_t side = 0; side < LanguagePlaces.size(); ++side) {
        for (const auto& language : PhraseCatalogue::languages())
            if (language.field == m_fields[side]) {
                const QString caption = QString::fromLatin1(language.caption);
                m_captions[side]->setText(caption);
                m_spellings[side]->setAccessibleName(tr("%1 spelling").arg(caption));
                m_say[side]->setAccessibleName(tr("Say in %1").arg(caption));
            }
    }
    m_speller.reset();
    ErrorBox::guard([&] { m_speller.emplace(phrase_data::PhraseTable::read(speech::CallSignSpeller::callsignFile())); },
                    this);
    respell();
}

QString SpellerWindow::spelling(GridPlace side) const
{
    return m_spellings.at(languageSlot(side))->toPlainText();
}

void SpellerWindow::respell()
{
    for (std::size_t side = 0; side < LanguagePlaces.size(); ++side) {
        const QString input = filledInput(m_fields[side]);
        const QStringList words = m_speller ? m_speller->spell(m_fields[side], input) : QStringList();
        // One character to a line, with its word (and a Japanese word's reading): a long call
        // sign is read out line by line. A character is what the user sees, an emoji too.
        QStringList lines;
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, input);
        for (qsizetype from = 0, to = characters.toNextBoundary(); to > from;
             from = to, to = characters.toNextBoundary()) {
            const QString c = input.mid(from, to - from);
            if (!c.trimmed().isEmpty() && lines.size() < words.size())
                lines << QStringLiteral("%1 — %2").arg(c.toUpper(), words[lines.size()]);
        }
        const QString text = lines.join(u'\n');
        m_spellings[side]->setPlainText(text);
        m_say[side]->setEnabled(!text.isEmpty());
    }
    // A spelling that wraps onto another line gets the height for it; the width stays the user's.
    if (layout()->hasHeightForWidth()) resize(width(), std::max(height(), layout()->totalHeightForWidth(width())));
}

QString SpellerWindow::filledInput(LanguageField field) const
{
    return m_blanks.fill(m_input->text(), field);
}

void SpellerWindow::say(GridPlace side)
{
    if (!m_speller) return;
    const LanguageField field = m_fields.at(languageSlot(side));
    QString rusP;
    const QString text = m_speller->sayable(field, filledInput(field), &rusP);
    m_player.say(field, text, rusP);
}
