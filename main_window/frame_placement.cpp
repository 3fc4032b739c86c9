#include "frame_placement.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

FramePlacement::FramePlacement(QWidget* window, QSize outerSize)
    : QObject(window)
    , m_window(window)
    , m_outerSize(outerSize)
{
    m_window->installEventFilter(this);
}

QMargins FramePlacement::frame() const
{
    const QWindow* handle = m_window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void FramePlacement::place()
{
    m_frame = frame();
    if (m_outerSize.isValid()) m_window->resize(m_outerSize.shrunkBy(m_frame));
    const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, m_window->size().grownBy(m_frame),
                                            m_window->screen()->availableGeometry());
    // A top-level window's position is its frame's.
    if (m_window->pos() != outer.topLeft()) m_window->move(outer.topLeft());
}

bool FramePlacement::eventFilter(QObject* watched, QEvent* event)
{
    // The window has taken in its new frame by the time it hears of the move.
    if (!m_frameKnown && watched == m_window && event->type() == QEvent::Move) {
        const QMargins now = frame();
        if (!now.isNull()) {
            // Once only: a frame that changes later (maximized, another theme) keeps the user's size.
            m_frameKnown = true;
            if (now != m_frame) place();
        }
    }
    return QObject::eventFilter(watched, event);
}
