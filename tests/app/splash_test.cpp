// The splash window: its controls as designed, and its one hand-over to the main window by the
// timer or by a click, with the real main window behind it.

#include "app/Unit2.h"
#include "app/program_icon.h"
#include "data_folder.h"
#include "design.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/jpeg_decoder.h"
#include "modal_answer.h"
#include "phrase_data/decimal_separator.h"
#include "phrase_data/phrase_catalogue.h"

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

using phrase_data::DecimalSeparator;

namespace {

// The separator the system would give; only the timer's hand-over replaces it with ".".
constexpr char16_t SystemSeparator = u',';
// The test desktop's button face, unlike its window colour, so a test can tell which a background shows.
const QColor ButtonFace(0xd4, 0xd0, 0xc8);

// The colour text is drawn in: the commonest colour other than the background, since the
// inside of the strokes is solid and only their edges are blended.
QColor mostCommonInk(const QImage& image, const QColor& background)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xFF000000;
            if (pixel != background.rgb()) ++counts[pixel];
        }
    }
    QRgb commonest = background.rgb();
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            commonest = it.key();
        }
    }
    return QColor(commonest);
}

} // namespace

class SplashTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowAsDesigned();
    void controlsAtTheirPlaces_data();
    void controlsAtTheirPlaces();
    void labelsSizeToTheirText_data();
    void labelsSizeToTheirText();
    void creditWrapsAtItsWidth();
    void nothingOverlaps();
    void labelFonts_data();
    void labelFonts();
    void showsTheSplashPicture();

    void timerRunsFromCreation();
    void timerHandsOver();
    void handOverByTimer();
    void handOverByClick_data();
    void handOverByClick();
    void versionAndCallSignIgnoreClicks_data();
    void versionAndCallSignIgnoreClicks();
    void handsOverOnlyOnce();
    void closeBoxOnlyHides();
    void failedActivationStillHandsOver_data();
    void failedActivationStillHandsOver();

private:
    [[nodiscard]] QLabel* label(const QString& name) const;
    [[nodiscard]] QWidget* control(const QString& name) const;
    // Clicks the form at a point of its client area, on whatever control lies there.
    void clickAt(QPoint point);
    void verifyHandedOver(char16_t separator);
    void verifyNotHandedOver();

    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<TForm1> m_main;
    std::unique_ptr<TForm2> m_splash;
};

void SplashTest::initTestCase()
{
    FontSubstitutes::install();
    ProgramIcon::install();
    QPalette theme = QApplication::palette();
    theme.setColor(QPalette::Button, ButtonFace);
    theme.setColor(QPalette::Window, QColor(0xff, 0xff, 0xf0));
    QApplication::setPalette(theme);
}

void SplashTest::init()
{
    m_data = std::make_unique<DataFolder>();
    DecimalSeparator::set(SystemSeparator);
    // As the program starts: the main window first, hidden; then the splash, which shows itself.
    m_main = std::make_unique<TForm1>();
    m_splash = std::make_unique<TForm2>(m_main.get());
    QVERIFY(QTest::qWaitForWindowExposed(m_splash.get()));
}

void SplashTest::cleanup()
{
    m_splash.reset();
    m_main.reset();
    m_data.reset();
}

QLabel* SplashTest::label(const QString& name) const
{
    auto* const found = m_splash->findChild<QLabel*>(name);
    if (!found) qFatal("no label %s", qPrintable(name));
    return found;
}

QWidget* SplashTest::control(const QString& name) const
{
    if (name == QLatin1String("Form2")) return m_splash.get();
    if (name == QLatin1String("Panel1")) return m_splash->Panel1;
    return label(name);
}

void SplashTest::clickAt(QPoint point)
{
    QWidget* target = m_splash->childAt(point);
    if (!target) target = m_splash.get();
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(m_splash.get(), point));
}

void SplashTest::verifyHandedOver(char16_t separator)
{
    QVERIFY(m_main->isVisible());
    QVERIFY(m_splash->isHidden());
    QVERIFY(!m_splash->Timer1->isActive());
    QCOMPARE(DecimalSeparator::current(), separator);
}

void SplashTest::verifyNotHandedOver()
{
    QVERIFY(m_main->isHidden());
    QVERIFY(m_splash->isVisible());
    QVERIFY(m_splash->Timer1->isActive());
    QCOMPARE(DecimalSeparator::current(), SystemSeparator);
}

void SplashTest::windowAsDesigned()
{
    QCOMPARE(m_splash->windowTitle(), QStringLiteral("Tarvolin"));
    QVERIFY(m_splash->isVisible());
    QVERIFY(m_main->isHidden());

    const Qt::WindowFlags flags = m_splash->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));

    // Fixed border: the client area cannot be sized.
    QCOMPARE(m_splash->size(), design::SplashClient);
    QCOMPARE(m_splash->minimumSize(), m_splash->maximumSize());

    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    // Centred by its frame.
    const QPoint offCentre = m_splash->frameGeometry().center() - desktop.center();
    QVERIFY2(offCentre.manhattanLength() <= 2, // rounding, on each axis at a scale factor
             qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));

    QVERIFY(m_splash->windowIcon().availableSizes().contains(QSize(16, 16)));

    // The margin around the panel shows the window's button-face background.
    const QImage shot = m_splash->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    QCOMPARE(QColor(shot.pixel((QPointF(3, 3) * ratio).toPoint())), ButtonFace);
    QCOMPARE(QColor(shot.pixel((QPointF(450, 320) * ratio).toPoint())), ButtonFace);
}

void SplashTest::controlsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Panel1") << "Panel1"
                            << "Form2" << design::SplashPanel;
    QTest::newRow("Image1") << "Image1"
                            << "Panel1" << design::SplashPicture;
    // Labels: only the top-left corner is fixed, they size themselves to their text.
    for (const design::Label& label : design::SplashLabels)
        QTest::newRow(label.name) << label.name << "Panel1" << QRect(label.topLeft, QSize(0, 0));
}

void SplashTest::controlsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);

    QWidget* widget = control(name);
    QCOMPARE(widget->parentWidget(), control(parent));
    QVERIFY(widget->isVisible());
    if (geometry.isEmpty())
        QCOMPARE(widget->pos(), geometry.topLeft());
    else
        QCOMPARE(widget->geometry(), geometry);
}

void SplashTest::labelsSizeToTheirText_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"Label2", "Label3", "Label4", "Label5"})
        QTest::newRow(name) << name;
}

void SplashTest::labelsSizeToTheirText()
{
    QFETCH(QString, name);

    const QLabel* single = label(name);
    const QFontMetrics metrics(single->font());
    // One line, as wide as the text with its trailing spaces, as high as the font's line.
    QCOMPARE(single->size(), QSize(metrics.horizontalAdvance(single->text()), metrics.height()));
}

void SplashTest::creditWrapsAtItsWidth()
{
    const QLabel* credit = m_splash->Label1;
    QVERIFY(credit->text().startsWith(QStringLiteral("Based On ")));
    QVERIFY(credit->wordWrap());
    QCOMPARE(credit->width(), design::CreditWidth);

    const QFontMetrics metrics(credit->font());
    const QRect text = metrics.boundingRect(QRect(0, 0, design::CreditWidth, 10000), Qt::TextWordWrap, credit->text());
    QVERIFY2(text.height() >= 3 * metrics.lineSpacing(), "the credit line should need several lines");
    QVERIFY(text.width() <= design::CreditWidth);
    QVERIFY(credit->height() >= text.height());
    QVERIFY(credit->height() < text.height() + metrics.lineSpacing());
}

void SplashTest::nothingOverlaps()
{
    const QRect inside = m_splash->Panel1->contentsRect();
    const QList<QWidget*> controls{m_splash->Image1, m_splash->Label1, m_splash->Label2,
                                   m_splash->Label3, m_splash->Label4, m_splash->Label5};
    for (const QWidget* a : controls) {
        QVERIFY2(inside.contains(a->geometry()), qPrintable(a->objectName() + " reaches out of Panel1"));
        for (const QWidget* b : controls) {
            if (a != b)
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(QStringLiteral("%1 overlaps %2").arg(a->objectName(), b->objectName())));
        }
    }
}

void SplashTest::labelFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("colour");

    for (const design::Label& label : design::SplashLabels)
        QTest::newRow(label.name) << label.name << (label.caption ? QString::fromLatin1(label.caption) : QString())
                                  << label.pixelSize << label.underline << QColor(QRgb(label.colour));
}

void SplashTest::labelFonts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, pixelSize);
    QFETCH(bool, underline);
    QFETCH(QColor, colour);

    const QLabel* shown = label(name);
    if (!caption.isNull()) QCOMPARE(shown->text(), caption);
    QVERIFY(!shown->text().trimmed().isEmpty());
    const QFontInfo font(shown->font());
    QCOMPARE(font.family(), QStringLiteral("Comic Neue"));
    QCOMPARE(font.pixelSize(), pixelSize);
    QVERIFY(font.bold());
    QCOMPARE(font.underline(), underline);
    // As seen on the window, over the button face.
    const QImage seen = m_splash->grab(QRect(shown->mapTo(m_splash.get(), QPoint()), shown->size())).toImage();
    QCOMPARE(mostCommonInk(seen, ButtonFace), colour);
}

void SplashTest::showsTheSplashPicture()
{
    const QImage expected = JpegDecoder::fromResource(QStringLiteral(":/assets/splash.jpg"));
    QImage shown = m_splash->Image1->grab().toImage().convertToFormat(expected.format());
    QCOMPARE(shown.deviceIndependentSize().toSize(), expected.size());
    if (shown.devicePixelRatio() == 1.0) {
        QCOMPARE(shown, expected);
        return;
    }
    // At a scale factor the picture is drawn enlarged and smoothed: scaled back, it differs from
    // the picture only along sharp edges.
    shown = shown.scaled(expected.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double difference = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QColor a(shown.pixel(x, y)), b(expected.pixel(x, y));
            difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
        }
    difference /= 3.0 * expected.width() * expected.height();
    QVERIFY2(difference < 6, qPrintable(QString::number(difference)));
}

void SplashTest::timerRunsFromCreation()
{
    QVERIFY(m_splash->Timer1->isActive());
    QCOMPARE(m_splash->Timer1->interval(), design::HandOverDelayMs);
    QCOMPARE(m_splash->Timer1->timerType(), Qt::PreciseTimer);
    QVERIFY(m_splash->Timer1->remainingTime() > 4000);
}

void SplashTest::timerHandsOver()
{
    // The real timer, made to run out at once.
    m_splash->Timer1->setInterval(1);
    QTRY_VERIFY(m_main->isVisible());
    verifyHandedOver(u'.');
}

void SplashTest::handOverByTimer()
{
    m_splash->Timer1Timer();
    verifyHandedOver(u'.');
}

void SplashTest::handOverByClick_data()
{
    QTest::addColumn<QString>("name");
    // Where to click, relative to the control's top-left corner; an invalid point means its centre.
    QTest::addColumn<QPoint>("at");

    QTest::newRow("window background") << "Form2" << QPoint(3, 3);
    QTest::newRow("window background, lower right")
        << "Form2" << QPoint(design::SplashClient.width() - 4, design::SplashClient.height() - 3);
    QTest::newRow("Panel1") << "Panel1" << QPoint(450, 320);
    QTest::newRow("Image1") << "Image1" << QPoint();
    QTest::newRow("Label2") << "Label2" << QPoint();
    QTest::newRow("Label5") << "Label5" << QPoint();
    QTest::newRow("Label1") << "Label1" << QPoint();
}

void SplashTest::handOverByClick()
{
    QFETCH(QString, name);
    QFETCH(QPoint, at);

    QWidget* clicked = control(name);
    const QPoint point = clicked->mapTo(m_splash.get(), at.isNull() ? clicked->rect().center() : at);
    const QWidget* hit = m_splash->childAt(point);
    QCOMPARE(hit ? hit : m_splash.get(), clicked);

    clickAt(point);
    // The click leaves the system's separator.
    verifyHandedOver(SystemSeparator);
}

void SplashTest::versionAndCallSignIgnoreClicks_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Label3") << "Label3";
    QTest::newRow("Label4") << "Label4";
}

void SplashTest::versionAndCallSignIgnoreClicks()
{
    QFETCH(QString, name);

    const QWidget* ignoring = label(name);
    clickAt(ignoring->mapTo(m_splash.get(), ignoring->rect().center()));
    QTest::mouseDClick(label(name), Qt::LeftButton);
    verifyNotHandedOver();

    // The timer still hands over.
    m_splash->Timer1Timer();
    verifyHandedOver(u'.');
}

void SplashTest::handsOverOnlyOnce()
{
    QTest::mouseClick(m_splash->Image1, Qt::LeftButton);
    verifyHandedOver(SystemSeparator);

    // Hide the main window again: a second hand-over would show it.
    m_main->hide();
    QTest::mouseClick(m_splash->Label2, Qt::LeftButton);
    m_splash->Timer1Timer();
    QVERIFY(m_main->isHidden());
    QVERIFY(m_splash->isHidden());
    QCOMPARE(DecimalSeparator::current(), SystemSeparator);
}

void SplashTest::closeBoxOnlyHides()
{
    // Closed inside the program's event loop, where closing the last window on screen would end
    // the program unless that window is told not to.
    bool loopRanOn = false;
    QTimer close;
    close.setSingleShot(true);
    connect(&close, &QTimer::timeout, m_splash.get(), [this] { QVERIFY(m_splash->close()); });
    QTimer end;
    end.setSingleShot(true);
    connect(&end, &QTimer::timeout, this, [&loopRanOn] {
        loopRanOn = true;
        QCoreApplication::exit();
    });
    close.start(0);
    end.start(100);
    QCoreApplication::exec();
    QVERIFY2(loopRanOn, "closing the splash window ended the program");

    QVERIFY(m_splash->isHidden());
    QVERIFY(m_main->isHidden());
    QVERIFY(m_splash->Timer1->isActive());

    m_splash->Timer1->setInterval(1);
    QTRY_VERIFY(m_main->isVisible());
    verifyHandedOver(u'.');
}

void SplashTest::failedActivationStillHandsOver_data()
{
    QTest::addColumn<bool>("byTimer");
    QTest::addColumn<bool>("splashBehindBox");
    // The timer shows the main window before hiding the splash; a click hides the splash first.
    QTest::newRow("timer") << true << true;
    QTest::newRow("click") << false << false;
}

void SplashTest::failedActivationStillHandsOver()
{
    QFETCH(bool, byTimer);
    QFETCH(bool, splashBehindBox);

    // The main window's first activation loads the start topic; without its file it fails.
    DataFolder::remove(DataFolder::baseName(phrase_data::PhraseCatalogue::StartFile));

    bool splashVisibleAtBox = false;
    const ModalAnswer answer(QMessageBox::NoButton, [&] { splashVisibleAtBox = m_splash->isVisible(); });

    if (byTimer)
        m_splash->Timer1Timer();
    else
        QTest::mouseClick(m_splash->Image1, Qt::LeftButton);

    QVERIFY(answer.seen());
    QCOMPARE(splashVisibleAtBox, splashBehindBox);
    verifyHandedOver(byTimer ? u'.' : SystemSeparator);
}

QTEST_MAIN(SplashTest)
#include "splash_test.moc"
