#pragma once

#include <QObject>

class QWidget;

// Gives a widget that has no clicked signal (a label, a picture, a panel, a window) one: a left
// button pressed on the widget and released over it is a click, as on a push button. The filter
// only watches; the widget still gets its mouse events.
class ClickFilter : public QObject {
    Q_OBJECT

public:
    // The filter becomes a child of `widget` and lives as long as it does.
    explicit ClickFilter(QWidget* widget);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* const m_widget;
    bool m_pressed = false;
};
