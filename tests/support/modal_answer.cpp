#include "modal_answer.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace {

QList<QMessageBox::StandardButton> buttonsLeftToRight(const QMessageBox& box)
{
    QList<QAbstractButton*> buttons = box.findChild<QDialogButtonBox*>()->buttons();
    std::ranges::sort(buttons, {}, [](const QAbstractButton* button) { return button->mapToGlobal(QPoint()).x(); });
    QList<QMessageBox::StandardButton> order;
    for (QAbstractButton* button : buttons)
        order << box.standardButton(button);
    return order;
}

} // namespace

ModalAnswer::ModalAnswer(QMessageBox::StandardButton answer)
    : m_answer(answer)
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

void ModalAnswer::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    m_timer.stop();
    m_seen = true;
    m_title = box->windowTitle();
    m_text = box->text();
    m_icon = box->icon();
    m_buttons = box->standardButtons();
    if (auto* button = box->defaultButton()) m_default = box->standardButton(button);
    m_order = buttonsLeftToRight(*box);
    m_busyPointer = QApplication::overrideCursor() != nullptr;
    if (m_answer == QMessageBox::NoButton)
        QTest::keyClick(box, Qt::Key_Escape);
    else
        box->button(m_answer)->click();
}
