#include "radio_group.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QRadioButton>
#include <algorithm>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        updateTabStops();
        if (checked && !m_settingIndex) emit clicked();
    });
}

void RadioGroup::setItems(const QStringList& captions)
{
    for (QRadioButton* button : m_buttons)
        delete button;
    m_buttons.clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], this);
        button->installEventFilter(this);
        m_group->addButton(button, i);
        m_buttons.push_back(button);
    }
    arrangeButtons();
    updateTabStops();
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    m_settingIndex = true;
    if (index >= 0 && index < count()) {
        m_buttons[std::size_t(index)]->setChecked(true);
    } else if (QAbstractButton* checked = m_group->checkedButton()) {
        // An exclusive group never lets its last button go; lift that for the moment.
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
    m_settingIndex = false;
    updateTabStops();
}

void RadioGroup::focusItem()
{
    if (m_buttons.empty()) return;
    m_buttons[std::size_t(std::max(0, itemIndex()))]->setFocus(Qt::ShortcutFocusReason);
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || itemIndex() >= 0) return QGroupBox::eventFilter(watched, event);
    const auto at = std::find(m_buttons.begin(), m_buttons.end(), watched);
    if (at == m_buttons.end()) return QGroupBox::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                     : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                 : 0;
    if (step == 0) return QGroupBox::eventFilter(watched, event);
    const auto next = std::size_t(std::clamp(int(at - m_buttons.begin()) + step, 0, count() - 1));
    if (m_buttons[next] != watched) {
        m_buttons[next]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        m_buttons[next]->click();
    }
    return true;
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    arrangeButtons();
}

void RadioGroup::changeEvent(QEvent* event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) arrangeButtons();
}

void RadioGroup::arrangeButtons()
{
    if (m_buttons.empty()) return;
    const int textHeight = QFontMetrics(font()).height();
    const int free = height() - textHeight - 5;
    const int n = count();
    const int itemHeight = free / n;
    int top = (free % n) / 2 + textHeight + 1;
    for (QRadioButton* button : m_buttons) {
        button->setGeometry(8, top, width() - 10, itemHeight);
        top += itemHeight;
    }
}

void RadioGroup::updateTabStops()
{
    // The list takes part in the tab order only through its marked item, or its first.
    const int marked = std::max(0, itemIndex());
    for (int i = 0; i < count(); ++i)
        m_buttons[std::size_t(i)]->setFocusPolicy(i == marked ? Qt::StrongFocus : Qt::ClickFocus);
}
