#pragma once

#include <QLabel>

class QTimer;

// A message that needs no answer ("Added to My phrases"): a line over the foot of a widget
// that passes after a few seconds. It lies over the widget, in no layout, so no designed size
// or place changes, and it takes no focus and no clicks.
class PassingNote : public QLabel {
    Q_OBJECT

public:
    static constexpr int ShownMilliseconds = 4000;

    explicit PassingNote(QWidget* over);

    void pass(const QString& text);

private:
    QWidget* const m_over;
    QTimer* const m_timer;
};
