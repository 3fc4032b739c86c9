#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QTimer>

// Answers the next modal message box once it is shown (NoButton: presses Escape), and keeps
// what it said, so a test can run a handler that blocks in a box and then check both the box
// and what followed.
class ModalAnswer {
public:
    explicit ModalAnswer(QMessageBox::StandardButton answer);

    [[nodiscard]] bool seen() const { return m_seen; }
    [[nodiscard]] const QString& title() const { return m_title; }
    [[nodiscard]] const QString& text() const { return m_text; }
    [[nodiscard]] QMessageBox::Icon icon() const { return m_icon; }
    // The pointer shape while the box was up (no override means the normal pointer).
    [[nodiscard]] bool busyPointerShown() const { return m_busyPointer; }
    [[nodiscard]] QMessageBox::StandardButtons buttons() const { return m_buttons; }
    [[nodiscard]] QMessageBox::StandardButton defaultButton() const { return m_default; }
    // The box's buttons as they stood from left to right.
    [[nodiscard]] const QList<QMessageBox::StandardButton>& buttonOrder() const { return m_order; }

private:
    void poll();

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    bool m_seen = false;
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    bool m_busyPointer = false;
    QMessageBox::StandardButtons m_buttons;
    QMessageBox::StandardButton m_default = QMessageBox::NoButton;
    QList<QMessageBox::StandardButton> m_order;
};
