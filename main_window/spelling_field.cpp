#include "spelling_field.h"

#include <QTextDocument>
#include <cmath>
#include <memory>

SpellingField::SpellingField(QWidget* parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(0);
    // It reads as text on the window, as the label before it did.
    viewport()->setBackgroundRole(QPalette::Window);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int SpellingField::heightForWidth(int width) const
{
    const std::unique_ptr<QTextDocument> lines(document()->clone());
    lines->setTextWidth(std::max(0, width - 2 * frameWidth()));
    return std::max(fontMetrics().height(), int(std::ceil(lines->size().height()))) + 2 * frameWidth();
}

QSize SpellingField::sizeHint() const
{
    return {minimumWidth(), heightForWidth(std::max(width(), minimumWidth()))};
}

QSize SpellingField::minimumSizeHint() const
{
    return {minimumWidth(), fontMetrics().height() + 2 * frameWidth()};
}
