#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <memory>

// Decodes JPEG pictures with libjpeg. One decoder holds one libjpeg decompressor and may decode
// any number of pictures, one after the other.
//
// Every failure throws JpegError: data that is not JPEG, damaged, truncated, too large for a
// window picture, or in a colour space that cannot be shown as RGB. libjpeg merely warns about a
// truncated or damaged picture and pads the missing part with grey; we treat every libjpeg warning
// as an error, because a picture of ours that arrives damaged means a broken build, and showing
// half a picture would hide that.
class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // `source` names the data in error messages (a file or resource path).
    [[nodiscard]] QImage decode(QByteArrayView data, const QString& source = QStringLiteral("JPEG data"));

    // Reads and decodes a picture compiled into the program, e.g. ":/assets/splash.jpg".
    [[nodiscard]] static QImage fromResource(const QString& path);

    // Larger pictures are refused before any pixel memory is taken: a damaged header can claim
    // a picture of 65535 x 65535 pixels.
    static constexpr int MaxSide = 8192;

private:
    struct Decompressor;
    std::unique_ptr<Decompressor> m_decompressor;
};
