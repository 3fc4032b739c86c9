#include "frame_placement.h"

#include <QEvent>
#include <QScopedValueRollback>
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
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    // While the window manager is still building its frame, the window's ancestors can give
    // negative margins: no frame yet.
    const bool built = frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
    return built ? frame : QMargins();
}

void FramePlacement::watchHandle()
{
    if (m_handle || !m_window->windowHandle()) return;
    m_handle = m_window->windowHandle();
    m_handle->installEventFilter(this);
}

void FramePlacement::place()
{
    const QScopedValueRollback placing(m_placing, true);
    watchHandle();
    m_frame = frame();
    if (m_outerSize.isValid()) m_window->resize(m_outerSize.shrunkBy(m_frame));
    const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, m_window->size().grownBy(m_frame),
                                            m_window->screen()->availableGeometry());
    // The client's place, not the frame's: it holds whatever the window manager's gravity makes
    // of a frame position, and whether or not the window has heard of its frame yet.
    m_window->setGeometry(outer - m_frame);
}

bool FramePlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (m_placing) return QObject::eventFilter(watched, event);
    if (watched == m_window) {
        if (event->type() == QEvent::Show) watchHandle();
        // A box takes its final size only as it is shown: until it is on the screen, it stays
        // centred at every size.
        if (event->type() == QEvent::Resize && !m_window->testAttribute(Qt::WA_Mapped)) place();
    } else if (watched == m_handle && !m_frameKnown &&
               (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
        const QMargins now = frame();
        if (!now.isNull()) {
            // Once only: a frame that changes later (maximized, another theme) keeps the user's size.
            m_frameKnown = true;
            if (now != m_frame) place();
        }
    }
    return QObject::eventFilter(watched, event);
}
