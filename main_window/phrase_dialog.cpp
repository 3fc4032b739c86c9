#include "phrase_dialog.h"

#include "error_box.h"
#include "modal_hook.h"
#include "phrase_data/phrase_catalogue.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

using phrase_data::LanguageField;
using phrase_data::MyPhraseFile;
using phrase_data::PhraseCatalogue;

PhraseDialog::PhraseDialog(const QString& title, const phrase_data::PhraseTexts& start, const QFont& font, Save save,
                           QWidget* parent)
    : QDialog(parent)
    , m_save(std::move(save))
{
    setObjectName(QStringLiteral("PhraseDialog"));
    setWindowTitle(title);
    auto* form = new QFormLayout;
    for (const auto& language : PhraseCatalogue::languages()) {
        const auto index = std::size_t(language.field);
        auto* edit = new QLineEdit(start[index], this);
        edit->setObjectName(QString::fromLatin1(PhraseCatalogue::fieldName(language.field)));
        // The grid's face: its substitutes carry Cyrillic, accents and Japanese.
        edit->setFont(font);
        edit->setMinimumWidth(480);
        form->addRow(QString::fromLatin1(language.caption), edit);
        m_fields[index] = edit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PhraseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PhraseDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int PhraseDialog::run()
{
    const Answerer answerer = ModalHook<Answerer>::take();
    if (!answerer) return exec();
    setWindowModality(Qt::ApplicationModal);
    show();
    answerer(*this);
    if (isVisible()) reject();
    return result();
}

void PhraseDialog::setNextAnswer(Answerer answerer)
{
    ModalHook<Answerer>::setNext(std::move(answerer));
}

phrase_data::PhraseTexts PhraseDialog::texts() const
{
    phrase_data::PhraseTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_fields[i]->text(); // as typed: spaces at either end are kept
    return texts;
}

QLineEdit* PhraseDialog::field(LanguageField field) const
{
    return m_fields[std::size_t(field)];
}

PhraseDialog::Problem PhraseDialog::problem() const
{
    const phrase_data::PhraseTexts now = texts();
    for (const auto& language : PhraseCatalogue::languages()) {
        const QString& text = now[std::size_t(language.field)];
        // The file counts UTF-16 units, which the user cannot see: the message says so.
        if (std::size_t(text.size()) > MyPhraseFile::MaxTextLength)
            return {QStringLiteral("%1: %2 units, but a field holds at most %3 (a letter counts 1, an emoji 2)")
                        .arg(QString::fromLatin1(language.caption))
                        .arg(text.size())
                        .arg(MyPhraseFile::MaxTextLength),
                    field(language.field)};
    }
    if (std::all_of(now.begin(), now.end(), [](const QString& text) { return text.trimmed().isEmpty(); }))
        return {QStringLiteral("A phrase needs text in at least one language"), m_fields.front()};
    if (const auto refused = MyPhraseFile::rowProblem(now)) {
        // The fields that take the most room first: shortening those helps most.
        std::vector<const phrase_data::LanguageEntry*> filled;
        for (const auto& language : PhraseCatalogue::languages())
            if (!now[std::size_t(language.field)].isEmpty()) filled.push_back(&language);
        std::stable_sort(filled.begin(), filled.end(), [&](const auto* a, const auto* b) {
            return now[std::size_t(a->field)].toUtf8().size() > now[std::size_t(b->field)].toUtf8().size();
        });
        QStringList names;
        for (const auto* language : filled)
            names << QString::fromLatin1(language->caption);
        return {QStringLiteral("The phrase is too long to save: %1. Shorten %2")
                    .arg(*refused, names.join(QStringLiteral(", "))),
                filled.empty() ? m_fields.front() : field(filled.front()->field)};
    }
    return {};
}

void PhraseDialog::accept()
{
    if (const Problem why = problem(); why.field) {
        ErrorBox::show(why.message, this);
        why.field->setFocus();
        return;
    }
    bool saved = false;
    ErrorBox::guard(
        [&] {
            m_save(texts());
            saved = true;
        },
        this);
    if (saved) QDialog::accept();
}
