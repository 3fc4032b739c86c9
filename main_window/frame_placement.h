#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>

class QWidget;

// Centres a top-level window on the desktop by its outer frame and, when given an outer size,
// sizes it so that the frame has that size. A window manager's frame is known only once it has
// taken the window in, so the placement runs again when the frame first shows: the window moves
// then, into the frame, and a change of its frame extents moves it as well.
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

    QWidget* const m_window;
    const QSize m_outerSize;
    // The frame the last placement reckoned with; a window manager's arrives after it.
    QMargins m_frame;
    bool m_frameKnown = false;
};
