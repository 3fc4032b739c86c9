#include "my_phrases_editor.h"

#include "message_box.h"
#include "phrase_dialog.h"

#include <QMessageBox>
#include <algorithm>

using phrase_data::MyPhraseFile;
using phrase_data::PhraseTexts;

namespace {

QString fileName(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

MyPhrasesEditor::MyPhrasesEditor(std::filesystem::path file, QWidget* window)
    : m_file(std::move(file))
    , m_window(window)
{
}

void MyPhrasesEditor::open()
{
    const bool wasReadOnly = m_opened && m_file.readOnly();
    const auto moved = m_file.open();
    m_opened = true;
    if (moved) offerBackup(*moved);
    if (m_file.readOnly() && !wasReadOnly) {
        QMessageBox box(
            QMessageBox::Information, QStringLiteral("My phrases"),
            QStringLiteral("%1 is read-only here: %2.").arg(fileName(m_file.path()), m_file.readOnlyReason()),
            QMessageBox::Ok, m_window);
        box.setObjectName(QStringLiteral("ReadOnlyBox"));
        MessageBox::exec(box);
    }
}

bool MyPhrasesEditor::openForEditing()
{
    // Going read-only says why once, and the commands are off while it lasts.
    open();
    return !m_file.readOnly();
}

void MyPhrasesEditor::offerBackup(const MyPhraseFile::MovedAside& moved)
{
    QString text = QStringLiteral("%1\n\nThe file was moved aside, unchanged, to %2.")
                       .arg(moved.reason, fileName(moved.brokenFile));
    QMessageBox box(QMessageBox::Warning, QStringLiteral("My phrases"), text, QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("RecoveryBox"));
    if (moved.backupReadable) {
        box.setText(text + QStringLiteral("\n\nStart from the backup %1?").arg(fileName(m_file.backupPath())));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setText(text + QStringLiteral("\n\nMy phrases starts empty."));
    }
    if (MessageBox::exec(box) == QMessageBox::Yes) m_file.restoreBackup();
}

std::optional<int> MyPhrasesEditor::add(const QString& title, const PhraseTexts& start, const QFont& font)
{
    if (!openForEditing()) return std::nullopt;
    PhraseDialog dialog(
        title, start, font, [this](const PhraseTexts& texts) { m_file.add(texts); }, m_window);
    if (dialog.run() != QDialog::Accepted) return std::nullopt;
    return int(m_file.phrases().size()) - 1;
}

std::optional<int> MyPhrasesEditor::edit(int row, const QFont& font)
{
    if (!openForEditing() || row < 0 || std::size_t(row) >= m_file.phrases().size()) return std::nullopt;
    PhraseDialog dialog(
        QStringLiteral("Edit phrase"), m_file.phrases()[std::size_t(row)], font,
        [this, row](const PhraseTexts& texts) { m_file.replace(std::size_t(row), texts); }, m_window);
    if (dialog.run() != QDialog::Accepted) return std::nullopt;
    return row;
}

std::optional<int> MyPhrasesEditor::remove(int row)
{
    if (!openForEditing() || row < 0 || std::size_t(row) >= m_file.phrases().size()) return std::nullopt;
    const PhraseTexts& phrase = m_file.phrases()[std::size_t(row)];
    const auto shown = std::find_if(phrase.begin(), phrase.end(), [](const QString& text) { return !text.isEmpty(); });
    QMessageBox box(QMessageBox::Question, QStringLiteral("Delete phrase"),
                    QStringLiteral("Delete \"%1\" from my phrases?").arg(shown == phrase.end() ? QString() : *shown),
                    QMessageBox::Ok | QMessageBox::Cancel, m_window);
    box.setObjectName(QStringLiteral("DeleteBox"));
    box.setDefaultButton(QMessageBox::Cancel);
    if (MessageBox::exec(box) != QMessageBox::Ok) return std::nullopt;
    m_file.remove(std::size_t(row));
    return std::min(row, int(m_file.phrases().size()) - 1);
}
