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
}

void FramePlacement::place()
{
    m_window->winId();
    QWindow* handle = m_window->windowHandle();
    if (!m_watching) {
        handle->installEventFilter(this);
        m_watching = true;
    }
    m_frame = handle->frameMargins();
    const QSize client = m_outerSize.isValid() ? m_outerSize.shrunkBy(m_frame) : m_window->size();
    const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client.grownBy(m_frame),
                                            m_window->screen()->availableGeometry());
    // The client's place, not the frame's: it does not depend on what the window manager's
    // gravity makes of a frame position.
    m_window->setGeometry(outer - m_frame);
}

bool FramePlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_frameKnown && watched == m_window->windowHandle() &&
        (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
        const QMargins frame = m_window->windowHandle()->frameMargins();
        if (!frame.isNull()) {
            // Once only: a frame that changes later (maximized, another theme) keeps the user's size.
            m_frameKnown = true;
            // After the window has taken in the event that brought the frame.
            if (frame != m_frame) QMetaObject::invokeMethod(this, &FramePlacement::place, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
