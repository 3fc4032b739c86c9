#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QSize>

class QWidget;
class QWindow;

// Centres a top-level window on the desktop by its outer frame and, when given an outer size,
// sizes it so that the frame has that size. A window manager's frame is known only once it has
// taken the window in, so the placement runs again when the frame first shows: at the window's
// first expose, or at the move a change of its frame extents brings. Until the window is on the
// screen, every change of its size places it again.
class FramePlacement : public QObject {
    Q_OBJECT

public:
    // An empty outer size keeps the window's own size.
    explicit FramePlacement(QWidget* window, QSize outerSize = {});

    // Before the window is first shown.
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QMargins frame() const;
    void watchHandle();

    QWidget* const m_window;
    const QSize m_outerSize;
    QPointer<QWindow> m_handle;
    // The frame the last placement reckoned with; a window manager's arrives after it.
    QMargins m_frame;
    bool m_frameKnown = false;
    bool m_placing = false;
};
