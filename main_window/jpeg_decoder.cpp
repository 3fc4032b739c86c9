#include "jpeg_decoder.h"

#include "jpeg_error.h"

#include <QFile>
#include <csetjmp>
#include <cstdio> // jpeglib.h uses FILE and size_t without declaring them
#include <jpeglib.h>

namespace {

// libjpeg reports through the error manager it is given; `pub` stays the first member so the
// pointer libjpeg holds is also a pointer to the whole struct.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

ErrorManager& errorManager(j_common_ptr info)
{
    return *reinterpret_cast<ErrorManager*>(info->err);
}

// libjpeg's own error_exit ends the process, and a C++ exception must not unwind through
// libjpeg's C frames. So we keep the message and jump back into the frame that called libjpeg;
// that frame returns normally and its caller throws.
[[noreturn]] void exitWithError(j_common_ptr info)
{
    ErrorManager& manager = errorManager(info);
    (*info->err->format_message)(info, manager.message);
    std::longjmp(manager.jump, 1);
}

// Level -1 is a warning about damaged data, typically "Premature end of JPEG file" after which
// libjpeg would pad the picture with grey; we stop there instead. Levels 0 and up are trace
// messages, of no use to us.
void emitMessage(j_common_ptr info, int level)
{
    if (level < 0) exitWithError(info);
}

enum class Outcome { Decoded, LibjpegError, TooLarge, OutOfMemory };

// The two functions below call setjmp. After it they only call libjpeg and assign to objects
// that live outside their frame, so a jump back from libjpeg skips no destructor.

bool create(jpeg_decompress_struct& info, ErrorManager& error) noexcept
{
    info.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = exitWithError;
    error.pub.emit_message = emitMessage;
    if (setjmp(error.jump) != 0) return false;
    jpeg_create_decompress(&info);
    return true;
}

Outcome decodeInto(jpeg_decompress_struct& info, ErrorManager& error, const unsigned char* data, unsigned long size,
                   QImage& image) noexcept
{
    if (setjmp(error.jump) != 0) return Outcome::LibjpegError;
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > unsigned(JpegDecoder::MaxSide) || info.image_height > unsigned(JpegDecoder::MaxSide))
        return Outcome::TooLarge;
    // Grey pictures come out as RGB too; CMYK ones cannot, and libjpeg says so.
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) return Outcome::OutOfMemory;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return Outcome::Decoded;
}

} // namespace

struct JpegDecoder::Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager error{};

    Decompressor() = default;
    // Safe even when jpeg_create_decompress failed: libjpeg then has no memory manager yet, and
    // destroying frees nothing.
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

JpegDecoder::JpegDecoder()
    : m_decompressor(std::make_unique<Decompressor>())
{
    if (!create(m_decompressor->info, m_decompressor->error)) throw JpegError("libjpeg", m_decompressor->error.message);
}

JpegDecoder::~JpegDecoder() = default;

QImage JpegDecoder::decode(QByteArrayView data, const QString& source)
{
    Decompressor& d = *m_decompressor;
    // Back to a clean start for the next picture, however this one ends.
    struct AbortOnExit {
        jpeg_decompress_struct& info;
        ~AbortOnExit() { jpeg_abort_decompress(&info); }
    } const abortOnExit{d.info};

    QImage image;
    const Outcome outcome = decodeInto(d.info, d.error, reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<unsigned long>(data.size()), image);

    switch (outcome) {
    case Outcome::Decoded:
        return image.convertToFormat(QImage::Format_RGB32);
    case Outcome::LibjpegError:
        throw JpegError(source.toStdString(), d.error.message);
    case Outcome::TooLarge:
        throw JpegError(source.toStdString(), "picture of " + std::to_string(d.info.image_width) + " x " +
                                                  std::to_string(d.info.image_height) + " pixels is too large");
    case Outcome::OutOfMemory:
        throw JpegError(source.toStdString(), "not enough memory for the picture");
    }
    throw JpegError(source.toStdString(), "unknown decoding outcome");
}

QImage JpegDecoder::fromResource(const QString& path)
{
    QFile file(path);
    if (!file.exists()) throw JpegError(path.toStdString(), "no such picture among the program's resources");
    if (!file.open(QIODevice::ReadOnly)) throw JpegError(path.toStdString(), file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    JpegDecoder decoder;
    return decoder.decode(bytes, path);
}
