#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <functional>

// Answers the next modal message box the program shows (NoButton: its escape button, as Escape
// or the close button would), through the hook the box-showing code asks first, and keeps what
// the box said, so a test can run a handler that would block in a box and then check both the
// box and what followed. `whenAsked` runs at the moment the box would show.
class ModalAnswer {
public:
    explicit ModalAnswer(QMessageBox::StandardButton answer, std::function<void()> whenAsked = {});
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    [[nodiscard]] bool seen() const { return m_seen; }
    [[nodiscard]] const QString& title() const { return m_title; }
    [[nodiscard]] const QString& text() const { return m_text; }
    [[nodiscard]] QMessageBox::Icon icon() const { return m_icon; }
    // The pointer shape while the box was up (no override means the normal pointer).
    [[nodiscard]] bool busyPointerShown() const { return m_busyPointer; }
    [[nodiscard]] QMessageBox::StandardButtons buttons() const { return m_buttons; }
    [[nodiscard]] QMessageBox::StandardButton defaultButton() const { return m_default; }
    [[nodiscard]] QMessageBox::StandardButton escapeButton() const { return m_escape; }
    // The box's buttons as they stood from left to right.
    [[nodiscard]] const QList<QMessageBox::StandardButton>& buttonOrder() const { return m_order; }

private:
    QMessageBox::StandardButton answer(const QMessageBox& box);

    QMessageBox::StandardButton m_answer;
    std::function<void()> m_whenAsked;
    bool m_seen = false;
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    bool m_busyPointer = false;
    QMessageBox::StandardButtons m_buttons;
    QMessageBox::StandardButton m_default = QMessageBox::NoButton;
    QMessageBox::StandardButton m_escape = QMessageBox::NoButton;
    QList<QMessageBox::StandardButton> m_order;
};
