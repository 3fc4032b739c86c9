#include "frame_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

std::uint32_t frameExtentsAtom(xcb_connection_t* connection)
{
    static constexpr char Name[] = "_NET_FRAME_EXTENTS";
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(sizeof Name - 1), Name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : 0;
}

} // namespace

FramePlacement::FramePlacement(QWidget* window, QSize outerSize)
    : QObject(window)
    , m_window(window)
    , m_outerSize(outerSize)
{
    m_window->installEventFilter(this);
    // Only on an X server: other platforms (offscreen among them) may offer the interface without
    // a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr) {
        m_extentsAtom = frameExtentsAtom(connection);
        if (m_extentsAtom != 0) QCoreApplication::instance()->installNativeEventFilter(this);
    }
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
        frameShown();
    }
    return QObject::eventFilter(watched, event);
}

void FramePlacement::frameShown()
{
    const QMargins now = frame();
    if (now.isNull()) return;
    // Once only: a frame that changes later (maximized, another theme) keeps the user's size.
    m_frameKnown = true;
    if (now != m_frame) place();
}

void FramePlacement::extentsArrived()
{
    // The first extents can come after an expose that showed a frame still being built.
    m_extentsArrived = true;
    m_frameKnown = false;
    frameShown();
}

bool FramePlacement::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_extentsArrived || !m_handle || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (notify->atom == m_extentsAtom && notify->window == m_handle->winId()) {
        // Qt reads the new extents as it handles this event, after the filter: look once it has.
        QMetaObject::invokeMethod(this, &FramePlacement::extentsArrived, Qt::QueuedConnection);
    }
    return false;
}
