#include "click_filter.h"

#include <QMouseEvent>
#include <QWidget>

ClickFilter::ClickFilter(QWidget* widget)
    : QObject(widget)
    , m_widget(widget)
{
    widget->installEventFilter(this);
}

bool ClickFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_widget) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) m_pressed = true;
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !m_pressed) break;
        m_pressed = false;
        // Released elsewhere: the user changed their mind.
        if (m_widget->rect().contains(mouse->position().toPoint())) emit clicked();
        break;
    }
    default:
        break;
    }
    return false;
}
