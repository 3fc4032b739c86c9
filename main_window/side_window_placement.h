#pragma once

#include <QObject>
#include <QRect>

class QWidget;

// Where a window that works beside the main window (Find, the phrase card) goes: the first time
// it opens, beside the main window, on the side the screen has room for, top edges level; after
// that, where and as large as the user left it, for the rest of the run.
class SideWindowPlacement : public QObject {
    Q_OBJECT

public:
    SideWindowPlacement(QWidget* window, const QWidget* beside);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeBeside();

    QWidget* const m_window;
    const QWidget* const m_beside;
    QRect m_left; // the geometry the window was left with, invalid until it first hides
};
