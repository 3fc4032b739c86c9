// Decoding the program's pictures with libjpeg, and refusing damaged ones with a clear error.

#include "main_window/jpeg_decoder.h"
#include "main_window/jpeg_error.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTest>
#include <random>

namespace {

QByteArray resourceBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// Qt's own JPEG reader, as an independent opinion on what the picture holds.
QImage qtDecoded(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QByteArray qtEncoded(const QImage& image, bool progressive)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image)) qFatal("Qt cannot write a JPEG picture: %s", qPrintable(writer.errorString()));
    return buffer.data();
}

// Largest difference of any colour channel over all pixels.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max(
                {largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

bool near(QRgb pixel, const QColor& expected, int tolerance)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

qsizetype markerOffset(const QByteArray& bytes, unsigned char marker)
{
    const char pattern[] = {char(0xFF), char(marker)};
    return bytes.indexOf(QByteArrayView(pattern, 2));
}

// Writes a 16-bit big-endian value, as JPEG headers hold them.
void putWord(QByteArray& bytes, qsizetype at, int value)
{
    bytes[at] = char((value >> 8) & 0xFF);
    bytes[at + 1] = char(value & 0xFF);
}

constexpr unsigned char StartOfFrame = 0xC0;
constexpr unsigned char StartOfScan = 0xDA;
constexpr unsigned char EndOfImage = 0xD9;
constexpr unsigned char QuantisationTable = 0xDB;

} // namespace

class JpegDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void decodesThePrograms_data();
    void decodesThePrograms();
    void decodesOtherKinds_data();
    void decodesOtherKinds();
    void refusesBadData_data();
    void refusesBadData();
    void recoversAfterAnError();
    void namesAMissingResource();
    void iconHasBothSizes_data();
    void iconHasBothSizes();
};

void JpegDecoderTest::decodesThePrograms_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    // Points the drawing fills with one flat colour, away from edges.
    QTest::addColumn<QPoint>("flatPoint");
    QTest::addColumn<QColor>("flatColour");

    QTest::newRow("splash") << ":/assets/splash.jpg" << QSize(320, 240) << QPoint(300, 236) << QColor(0x1b, 0x22, 0x30);
    QTest::newRow("topic list picture") << ":/assets/image2.jpg" << QSize(182, 182) << QPoint(170, 178)
                                        << QColor(0x5a, 0x7d, 0x3a);
}

void JpegDecoderTest::decodesThePrograms()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(QPoint, flatPoint);
    QFETCH(QColor, flatColour);

    const QImage image = JpegDecoder::fromResource(path);
    QCOMPARE(image.size(), size);
    QVERIFY2(near(image.pixel(flatPoint), flatColour, 6),
             qPrintable(QColor(image.pixel(flatPoint)).name() + " instead of " + flatColour.name()));
    // The top row is sky: darker or bluer than the ground, never the grey libjpeg pads with.
    QVERIFY(image.pixel(0, 0) != image.pixel(flatPoint));
    // libjpeg through Qt's reader gives the same picture give or take rounding.
    QVERIFY(largestDifference(image, qtDecoded(resourceBytes(path))) <= 4);
}

void JpegDecoderTest::decodesOtherKinds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("grey");

    const QImage splash = JpegDecoder::fromResource(QStringLiteral(":/assets/splash.jpg"));
    QTest::newRow("progressive") << qtEncoded(splash, true) << false;
    QTest::newRow("grey") << qtEncoded(splash.convertToFormat(QImage::Format_Grayscale8), false) << true;
}

void JpegDecoderTest::decodesOtherKinds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, grey);

    JpegDecoder decoder;
    const QImage image = decoder.decode(bytes);
    QCOMPARE(image.size(), QSize(320, 240));
    QVERIFY(largestDifference(image, qtDecoded(bytes)) <= 4);
    const QRgb pixel = image.pixel(160, 120);
    if (grey) QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
}

void JpegDecoderTest::refusesBadData_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // A piece of the message that tells what was wrong.
    QTest::addColumn<QString>("reason");

    const QByteArray good = resourceBytes(QStringLiteral(":/assets/splash.jpg"));
    const qsizetype scan = markerOffset(good, StartOfScan);
    const qsizetype frame = markerOffset(good, StartOfFrame);
    QVERIFY(scan > 0 && frame > 0);

    QTest::newRow("empty") << QByteArray() << "Empty input file";

    std::mt19937 random(20110530);
    QByteArray noise(4096, Qt::Uninitialized);
    for (char& byte : noise)
        byte = char(random() & 0xFF);
    noise[0] = 'N'; // not by chance a start-of-image marker
    QTest::newRow("random bytes") << noise << "Not a JPEG file";
    QTest::newRow("PNG picture") << resourceBytes(QStringLiteral(":/assets/icon16.png")) << "Not a JPEG file";
    QTest::newRow("start-of-image marker only") << good.left(2) << "Premature end of JPEG file";
    QTest::newRow("header only, no scan") << good.left(scan) << "Premature end of JPEG file";
    for (const qsizetype cut : {qsizetype(100), scan + 20, good.size() / 2, good.size() - 100}) {
        QTest::addRow("truncated at %lld of %lld", qlonglong(cut), qlonglong(good.size()))
            << good.left(cut) << "Premature end of JPEG file";
    }
    QTest::newRow("end-of-image marker missing") << good.chopped(2) << "Premature end of JPEG file";

    QByteArray unknownMarker = good;
    unknownMarker[markerOffset(good, QuantisationTable) + 1] = char(0x4D);
    QTest::newRow("unknown marker in the header") << unknownMarker << "Unsupported marker type 0x4d";

    QByteArray earlyEnd = good;
    earlyEnd[(scan + good.size()) / 2] = char(0xFF);
    earlyEnd[(scan + good.size()) / 2 + 1] = char(EndOfImage);
    QTest::newRow("end-of-image marker inside the scan") << earlyEnd << "Corrupt JPEG data";

    // SOF0: FF C0, length, precision, height, width.
    QByteArray huge = good;
    putWord(huge, frame + 5, 60000);
    putWord(huge, frame + 7, 60000);
    QTest::newRow("header claims 60000 x 60000 pixels") << huge << "60000 x 60000 pixels is too large";

    QByteArray empty = good;
    putWord(empty, frame + 7, 0);
    QTest::newRow("header claims zero width") << empty << "Empty JPEG image";
}

void JpegDecoderTest::refusesBadData()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    JpegDecoder decoder;
    try {
        const QImage image = decoder.decode(bytes, QStringLiteral("damaged.jpg"));
        QFAIL(qPrintable(QStringLiteral("decoded a %1 x %2 picture").arg(image.width()).arg(image.height())));
    } catch (const JpegError& error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.startsWith(QStringLiteral("damaged.jpg: ")), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
}

void JpegDecoderTest::recoversAfterAnError()
{
    const QByteArray good = resourceBytes(QStringLiteral(":/assets/image2.jpg"));
    JpegDecoder decoder;
    QVERIFY_THROWS_EXCEPTION(JpegError, (void)decoder.decode(good.left(good.size() / 2)));
    const QImage image = decoder.decode(good);
    QCOMPARE(image, JpegDecoder::fromResource(QStringLiteral(":/assets/image2.jpg")));
}

void JpegDecoderTest::namesAMissingResource()
{
    try {
        (void)JpegDecoder::fromResource(QStringLiteral(":/assets/missing.jpg"));
        QFAIL("a missing resource decoded");
    } catch (const JpegError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral(":/assets/missing.jpg: no such picture among the program's resources"));
    }
}

void JpegDecoderTest::iconHasBothSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("side");
    QTest::newRow("16") << ":/assets/icon16.png" << 16;
    QTest::newRow("48") << ":/assets/icon48.png" << 48;
}

void JpegDecoderTest::iconHasBothSizes()
{
    QFETCH(QString, path);
    QFETCH(int, side);

    const QImage icon(path);
    QCOMPARE(icon.size(), QSize(side, side));
    // A round badge: the corners are clear, the middle is drawn.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(side - 1, side - 1)), 0);
    QCOMPARE(qAlpha(icon.pixel(side / 2, side / 2)), 255);
}

QTEST_GUILESS_MAIN(JpegDecoderTest)
#include "jpeg_decoder_test.moc"
