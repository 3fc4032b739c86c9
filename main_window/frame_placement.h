#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <cstdint>

class QWidget;
class QWindow;

// Centres a top-level window on the desktop by its outer frame and, when given an outer size,
// sizes it so that the frame has that size. A window manager's frame is known only once it has
// taken the window in, so the placement runs again when the frame first shows: at the window's
// first expose, at the move a change of its frame extents brings, or when an X window manager
// first sets the extents (_NET_FRAME_EXTENTS), which Qt reports with no event of its own. Until
// the window is on the screen, every change of its size places it again.
class FramePlacement : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // An empty outer size keeps the window's own size.
    explicit FramePlacement(QWidget* window, QSize outerSize = {});

    // Before the window is first shown.
    void place();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QMargins frame() const;
    void watchHandle();
    // A frame has shown: place the window again if the last placement reckoned with another.
    void frameShown();
    void extentsArrived();

    QWidget* const m_window;
    const QSize m_outerSize;
    QPointer<QWindow> m_handle;
    // The frame the last placement reckoned with; a window manager's arrives after it.
    QMargins m_frame;
    bool m_frameKnown = false;
    bool m_placing = false;
    // The X atom _NET_FRAME_EXTENTS, 0 on other platforms; once set, the extents have arrived.
    std::uint32_t m_extentsAtom = 0;
    bool m_extentsArrived = false;
};
