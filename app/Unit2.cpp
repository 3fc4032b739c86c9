#include "Unit2.h"

#include "app/click_filter.h"
#include "main_window/design_font.h"
#include "main_window/frame_placement.h"
#include "main_window/jpeg_decoder.h"
#include "phrase_data/decimal_separator.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

namespace {

const QColor Navy(0, 0, 128);
const QColor Grey(128, 128, 128);

// Label1 keeps this width and wraps its text onto as many lines as it needs.
constexpr int CreditWidth = 171;

const QString Caption = QStringLiteral("Tarvolin");
const QString ComicSans = QStringLiteral("Comic Sans MS");

QLabel* label(QWidget* parent, const QString& text, int x, int y, int height, const QColor& color,
              DesignFontStyle style)
{
    auto* label = new QLabel(text, parent);
    label->setFont(designFont(ComicSans, height, style));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    // On the button-face background Qt would pick ButtonText for the text; the label's own
    // colour is WindowText.
    label->setForegroundRole(QPalette::WindowText);
    label->move(x, y);
    return label;
}

// A label sizes itself to its text from its top-left corner. The width is the text's advance,
// trailing spaces included: "Tarvolyn  " is underlined under its two spaces as well.
void autoSize(QLabel* label)
{
    const QFontMetrics metrics(label->font());
    label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
}

QWidget* clickable(QWidget* widget)
{
    // A click belongs to the control it lands on, as on the platform the windows were designed
    // for: it never travels on to the panel or the window behind, not even from a label that
    // does nothing with it.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    return widget;
}

} // namespace

TForm2::TForm2(QWidget* mainForm)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , Panel1(new QFrame(this))
    , Image1(new QLabel(Panel1))
    , Label2(label(Panel1, QStringLiteral("Tarvolyn  "), 8, 248, -64, Navy, {.bold = true, .underline = true}))
    , Label3(label(Panel1, QStringLiteral("Ver. 6.3 (30.05.11)"), 8, 16, -16, Grey, {.bold = true}))
    , Label4(label(Panel1, QStringLiteral("QZ7KV"), 8, 40, -21, Grey, {.bold = true}))
    , Label5(label(Panel1, QStringLiteral("Tarvolyn team"), 8, 72, -21, Grey, {.bold = true}))
    , Label1(label(Panel1,
                   QStringLiteral("Based On the everyday practice of radio amateurs; phrases written for "
                                  "Tarvolyn and reviewed by native speakers"),
                   8, 112, -15, Grey, {.bold = true}))
    , Timer1(new QTimer(this))
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("Form2"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5->setObjectName(QStringLiteral("Label5"));
    Timer1->setObjectName(QStringLiteral("Timer1"));

    setWindowTitle(Caption);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFont(designFont(QStringLiteral("MS Sans Serif"), -11));
    // The border is fixed: the user cannot size the window.
    setFixedSize(ClientWidth, ClientHeight);
    // Centred by its frame, also once a window manager has put one around it.
    (new FramePlacement(this))->place();
    // Closing the splash never ends the program; only the main window does.
    setAttribute(Qt::WA_QuitOnClose, false);

    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(8, 8, 521, 353);

    // The picture is compiled in; if it cannot be decoded the build is broken, and the error
    // says which picture and why.
    const QPixmap picture = QPixmap::fromImage(JpegDecoder::fromResource(QStringLiteral(":/assets/splash.jpg")));
    Image1->setPixmap(picture);
    Image1->setGeometry(192, 8, picture.width(), picture.height());

    for (QLabel* single : {Label2, Label3, Label4, Label5})
        autoSize(single);
    Label1->setWordWrap(true);
    Label1->resize(CreditWidth, Label1->heightForWidth(CreditWidth));

    const auto onClick = [this](QWidget* widget, void (TForm2::*handler)()) {
        connect(new ClickFilter(clickable(widget)), &ClickFilter::clicked, this, handler);
    };
    onClick(this, &TForm2::FormClick);
    onClick(Panel1, &TForm2::Panel1Click);
    onClick(Image1, &TForm2::Image1Click);
    onClick(Label2, &TForm2::Label2Click);
    onClick(Label5, &TForm2::Label5Click);
    onClick(Label1, &TForm2::Label1Click);
    clickable(Label3);
    clickable(Label4);

    // A coarse timer may fire up to 5 % early or late; the hand-over keeps to the millisecond.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(HandOverDelayMs);
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    Timer1->start();

    show();
}

void TForm2::Timer1Timer()
{
    if (m_handedOver) return;
    m_handedOver = true;
    // Only this hand-over sets the separator; a click leaves the system's.
    phrase_data::DecimalSeparator::set(u'.');
    // Showing the main window runs its activation load, and an error box, if any, appears while
    // the splash window is still up.
    m_mainForm->show();
    hide();
    Timer1->stop();
}

void TForm2::handOverByClick()
{
    if (m_handedOver) return;
    m_handedOver = true;
    close();
    m_mainForm->show();
    Timer1->stop();
}

void TForm2::FormClick()
{
    handOverByClick();
}

void TForm2::Panel1Click()
{
    handOverByClick();
}

void TForm2::Image1Click()
{
    handOverByClick();
}

void TForm2::Label2Click()
{
    handOverByClick();
}

void TForm2::Label5Click()
{
    handOverByClick();
}

void TForm2::Label1Click()
{
    handOverByClick();
}
