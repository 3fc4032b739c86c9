#include "side_window_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

SideWindowPlacement::SideWindowPlacement(QWidget* window, const QWidget* beside)
    : QObject(window)
    , m_window(window)
    , m_beside(beside)
{
    m_window->installEventFilter(this);
}

void SideWindowPlacement::placeBeside()
{
    const QRect main = m_beside->frameGeometry();
    const QRect screen = m_beside->screen()->availableGeometry();
    const QSize size = m_window->frameGeometry().size();
    // Right of the main window if it fits, else left of it, else at the screen's right edge,
    // over as little of the main window as the screen allows.
    int x = main.right() + 1;
    if (x + size.width() - 1 > screen.right()) x = main.left() - size.width();
    if (x < screen.left()) x = std::max(screen.left(), screen.right() - size.width() + 1);
    const int y = std::clamp(main.top(), screen.top(), std::max(screen.top(), screen.bottom() - size.height() + 1));
    m_window->move(x, y);
}

bool SideWindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show) {
            if (m_left.isValid())
                m_window->setGeometry(m_left);
            else
                placeBeside();
        } else if (event->type() == QEvent::Hide) {
            m_left = m_window->geometry();
        }
    }
    return QObject::eventFilter(watched, event);
}
