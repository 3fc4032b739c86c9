#include "passing_note.h"

#include <QTimer>

PassingNote::PassingNote(QWidget* over)
    : QLabel(over->window())
    , m_over(over)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("PassingNote"));
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setFrameShape(QFrame::Box);
    setMargin(4);
    m_timer->setSingleShot(true);
    m_timer->setInterval(ShownMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void PassingNote::pass(const QString& text)
{
    setText(text);
    adjustSize();
    // At the foot of the widget, its left edge level with the widget's.
    const QPoint foot = m_over->mapTo(parentWidget(), QPoint(0, m_over->height()));
    move(foot.x() + 4, foot.y() - height() - 4);
    show();
    raise();
    m_timer->start();
}
