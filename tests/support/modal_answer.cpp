#include "modal_answer.h"

#include "main_window/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>

namespace {

// The box's buttons in the order its button box lays them out, left to right.
QList<QMessageBox::StandardButton> buttonsLeftToRight(const QMessageBox& box)
{
    QList<QMessageBox::StandardButton> order;
    const QLayout* layout = box.findChild<QDialogButtonBox*>()->layout();
    for (int i = 0; i < layout->count(); ++i)
        if (auto* button = qobject_cast<QAbstractButton*>(layout->itemAt(i)->widget()))
            order << box.standardButton(button);
    return order;
}

} // namespace

ModalAnswer::ModalAnswer(QMessageBox::StandardButton answer, std::function<void()> whenAsked)
    : m_answer(answer)
    , m_whenAsked(std::move(whenAsked))
{
    MessageBox::setNextAnswer([this](const QMessageBox& box) { return this->answer(box); });
}

ModalAnswer::~ModalAnswer()
{
    // A box that never came must not be answered by a test that has gone.
    MessageBox::setNextAnswer(nullptr);
}

QMessageBox::StandardButton ModalAnswer::answer(const QMessageBox& box)
{
    m_seen = true;
    m_title = box.windowTitle();
    m_text = box.text();
    m_icon = box.icon();
    m_buttons = box.standardButtons();
    if (auto* button = box.defaultButton()) m_default = box.standardButton(button);
    if (auto* button = box.escapeButton()) m_escape = box.standardButton(button);
    m_order = buttonsLeftToRight(box);
    m_busyPointer = QApplication::overrideCursor() != nullptr;
    if (m_whenAsked) m_whenAsked();
    return m_answer == QMessageBox::NoButton ? m_escape : m_answer;
}
