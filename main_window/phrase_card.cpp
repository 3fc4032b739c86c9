#include "phrase_card.h"

#include "close_on_escape.h"
#include "contact_blanks.h"
#include "design_font.h"
#include "enter_button.h"
#include "phrase_data/data_source.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_grid.h"
#include "speech_player.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using phrase_data::LanguageField;
using phrase_data::PhraseCatalogue;

namespace {

const QString CardFace = QStringLiteral("Verdana");

QString fieldOf(LanguageField field)
{
    return QString::fromLatin1(PhraseCatalogue::fieldName(field));
}

QString languageCaption(const QString& field)
{
    for (const auto& language : PhraseCatalogue::languages())
        if (fieldOf(language.field).compare(field, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(language.caption);
    return field;
}

bool sameField(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

PhraseCard::PhraseCard(const PhraseGrid& grid, const phrase_data::DataSource& source, const ContactBlanks& blanks,
                       SpeechPlayer& player, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_grid(grid)
    , m_source(source)
    , m_blanks(blanks)
    , m_player(player)
    , m_rows(new QWidget)
    , m_layout(new QVBoxLayout(m_rows))
    , m_listCaption(new QLabel(this))
{
    setObjectName(QStringLiteral("PhraseCard"));
    setWindowTitle(QStringLiteral("Phrase card"));
    resize(640, 480);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    // The rows take the keyboard, not the scrolling around them.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(m_rows);
    m_listCaption->setObjectName(QStringLiteral("PhraseCardList"));
    m_listCaption->setTextFormat(Qt::PlainText);
    auto* copyButton = new EnterButton(QStringLiteral("Copy"), this);
    copyButton->setObjectName(QStringLiteral("PhraseCardCopyButton"));
    connect(copyButton, &QPushButton::clicked, this, &PhraseCard::copy);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 6, 6, 0);
    bar->addWidget(m_listCaption);
    bar->addStretch();
    bar->addWidget(copyButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(scroll);

    auto* copyAction = new QAction(QStringLiteral("Copy"), this);
    copyAction->setObjectName(QStringLiteral("PhraseCardCopy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyAction, &QAction::triggered, this, &PhraseCard::copy);
    addAction(copyAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    closeOnEscape(*this);

    const auto follow = [this] {
        if (isVisible()) refresh();
    };
    connect(m_grid.selectionModel(), &QItemSelectionModel::currentRowChanged, this, follow);
    connect(m_grid.model(), &QAbstractItemModel::modelReset, this, follow);
    connect(m_grid.model(), &QAbstractItemModel::headerDataChanged, this, follow);
    connect(&m_blanks, &ContactBlanks::changed, this, follow);
}

void PhraseCard::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    // The phrase first: a screen reader reads it as the card opens. The new rows show only once
    // the layout has shown them, after this event.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_fields.isEmpty()) textLabel(m_fields.front())->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

void PhraseCard::refresh()
{
    while (QLayoutItem* item = m_layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_fields.clear();
    const int row = m_grid.currentIndex().row();
    if (row < 0 || row >= m_source.rowCount()) {
        m_layout->addStretch();
        return;
    }
    const auto textOf = [&](const QString& field) {
        const int column = m_source.fieldIndex(field);
        return column < 0 ? QString() : m_blanks.fill(m_source.text(row, column), field);
    };
    m_row = m_blanks.fill(m_source.texts(row));
    const int height = m_grid.cellFontHeight();
    const QFont large = designFont(CardFace, height * LargeScale);
    const QFont aid = designFont(CardFace, height * 2, {.italic = true});
    const QFont small = designFont(CardFace, height);

    const QString left = m_grid.columnFieldName(GridPlace::Left);
    const QString right = m_grid.columnFieldName(GridPlace::Right);
    for (const QString& field : {left, right})
        addLanguageRow(field, textOf(field), large);
    const QString phonetic = fieldOf(LanguageField::RusP);
    const bool russianShown =
        sameField(left, fieldOf(LanguageField::Rus)) || sameField(right, fieldOf(LanguageField::Rus));
    const bool phoneticShown = sameField(left, phonetic) || sameField(right, phonetic);
    if (russianShown && !phoneticShown && m_source.fieldIndex(phonetic) >= 0)
        addLanguageRow(phonetic, textOf(phonetic), aid);
    for (const auto& language : PhraseCatalogue::languages()) {
        const QString field = fieldOf(language.field);
        if (m_source.fieldIndex(field) >= 0 && !m_fields.contains(field, Qt::CaseInsensitive))
            addLanguageRow(field, textOf(field), small);
    }
    m_layout->addStretch();
}

void PhraseCard::addLanguageRow(const QString& field, const QString& text, const QFont& font)
{
    // Made first, so that the keyboard meets each phrase before its Say button.
    auto* label = new QLabel(text, m_rows);
    label->setObjectName(QStringLiteral("PhraseCardText_") + field);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus); // a Tab stop, where a screen reader reads it
    label->setAccessibleDescription(languageCaption(field));
    // The caption and the Say button share a line, in a widget of their own so refresh() clears both.
    auto* heading = new QWidget(m_rows);
    auto* caption = new QLabel(languageCaption(field), heading);
    QFont captionFont = caption->font();
    captionFont.setBold(true);
    caption->setFont(captionFont);
    auto* say = new EnterButton(QStringLiteral("Say"), heading);
    say->setObjectName(QStringLiteral("PhraseCardSay_") + field);
    say->setAccessibleName(QStringLiteral("Say in ") + languageCaption(field));
    const auto language = PhraseCatalogue::field(field);
    say->setEnabled(language.has_value() && !text.isEmpty());
    connect(say, &QPushButton::clicked, this, [this, language] { m_player.sayRow(m_row, *language); });
    auto* line = new QHBoxLayout(heading);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(caption);
    line->addStretch();
    line->addWidget(say);
    m_layout->addWidget(heading);
    m_layout->addWidget(label);
    m_fields << field;
}

QLabel* PhraseCard::textLabel(const QString& field) const
{
    for (const QString& shown : m_fields)
        if (sameField(shown, field)) return m_rows->findChild<QLabel*>(QStringLiteral("PhraseCardText_") + shown);
    return nullptr;
}

QStringList PhraseCard::shownFields() const
{
    return m_fields;
}

void PhraseCard::copy() const
{
    for (const QString& field : m_fields) {
        const QLabel* label = textLabel(field);
        if (label && label->hasSelectedText()) {
            QGuiApplication::clipboard()->setText(label->selectedText());
            return;
        }
    }
    QStringList lines;
    for (const QString& field : m_fields.mid(0, 2))
        lines << textLabel(field)->text();
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}

void PhraseCard::setListCaption(const QString& caption)
{
    m_listCaption->setText(caption);
}

QString PhraseCard::listCaption() const
{
    return m_listCaption->text();
}
