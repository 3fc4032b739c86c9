#include "my_phrases_editor.h"

#include "error_box.h"
#include "message_box.h"
#include "phrase_dialog.h"

#include <QInputDialog>
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

QString MyPhrasesEditor::readOnlyReason()
{
    if (m_opened && m_file.lockedOut()) ErrorBox::guard([this] { open(); }, m_window);
    return m_file.readOnlyReason();
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
        box.setText(text + QStringLiteral("\n\nStart from the backup, now kept as %1? It stays there either way, "
                                          "for \"Restore a backup…\".")
                               .arg(fileName(moved.keptBackup)));
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setText(text + QStringLiteral("\n\nMy phrases starts empty."));
    }
    if (MessageBox::exec(box) == QMessageBox::Yes) m_file.restore(moved.keptBackup);
}

void MyPhrasesEditor::showWarning()
{
    if (m_file.warning().isEmpty()) return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("My phrases"), m_file.warning(), QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("SaveWarningBox"));
    MessageBox::exec(box);
}

std::optional<int> MyPhrasesEditor::restoreBackup()
{
    if (!openForEditing()) return std::nullopt;
    const auto copies = m_file.keptCopies();
    if (copies.empty()) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Restore a backup"),
                        QStringLiteral("There is no backup of %1.").arg(fileName(m_file.path())), QMessageBox::Ok,
                        m_window);
        box.setObjectName(QStringLiteral("NoBackupBox"));
        MessageBox::exec(box);
        return std::nullopt;
    }
    QStringList items;
    for (const auto& copy : copies) {
        const QString name = QString::fromStdString(copy.file.filename().string());
        if (!copy.phraseCount)
            items << QStringLiteral("%1 (cannot be read)").arg(name);
        else
            items << QStringLiteral("%1 (%2 %3)")
                         .arg(name)
                         .arg(*copy.phraseCount)
                         .arg(*copy.phraseCount == 1 ? QStringLiteral("phrase") : QStringLiteral("phrases"));
    }
    QInputDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("RestoreBackupDialog"));
    dialog.setWindowTitle(QStringLiteral("Restore a backup"));
    dialog.setLabelText(QStringLiteral("Replace my phrases with the copy (the list now becomes the backup):"));
    dialog.setComboBoxItems(items);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const auto chosen = items.indexOf(dialog.textValue());
    if (chosen < 0) return std::nullopt;
    m_file.restore(copies[std::size_t(chosen)].file);
    showWarning();
    return m_file.phrases().empty() ? -1 : 0;
}

std::optional<int> MyPhrasesEditor::add(const QString& title, const PhraseTexts& start, const QFont& font)
{
    if (!openForEditing()) return std::nullopt;
    PhraseDialog dialog(
        title, start, font,
        [this](const PhraseTexts& texts) {
            m_file.add(texts);
            showWarning();
        },
        m_window);
    if (dialog.run() != QDialog::Accepted) return std::nullopt;
    return int(m_file.phrases().size()) - 1;
}

std::optional<int> MyPhrasesEditor::edit(int row, const QFont& font)
{
    if (!openForEditing() || row < 0 || std::size_t(row) >= m_file.phrases().size()) return std::nullopt;
    PhraseDialog dialog(
        QStringLiteral("Edit phrase"), m_file.phrases()[std::size_t(row)], font,
        [this, row](const PhraseTexts& texts) {
            m_file.replace(std::size_t(row), texts);
            showWarning();
        },
        m_window);
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
    showWarning();
    return std::min(row, int(m_file.phrases().size()) - 1);
}
