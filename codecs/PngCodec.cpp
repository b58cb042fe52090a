#include "codecs/PngCodec.h"

#include "codecs/DecodeLimits.h"
#include "codecs/FreeCores.h"
#include "codecs/OverWhite.h"
#include "codecs/ParallelDeflate.h"
#include "codecs/PngDirectDecoder.h"
#include "codecs/PngPixelRows.h"
#include "codecs/PrefaultPages.h"

#include <QBuffer>
#include <QtEndian>

#include <optional>

#include <png.h>
#include <zlib.h>

// The writer assembles the file itself so the image data can be deflated on several cores; the
// reader is libpng. libpng reports errors by longjmp, so the functions that hold a jump target keep
// only trivially destructible locals; the images they fill belong to their callers.
namespace tiv {

namespace {

constexpr bool kLittleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;

// Chunks the decoder has no use for. libpng would otherwise allocate (and clear) as much as a
// chunk's length claims for a text or profile chunk, up to 2 GiB for a 45-byte file; marked as
// never kept, they are skipped through a small buffer and the picture still decodes.
constexpr png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0sCAL\0pCAL\0iCCP\0sPLT\0eXIf\0hIST\0bKGD\0"
                                      "cHRM\0gAMA\0oFFs\0pHYs\0sBIT\0sRGB\0tIME";
constexpr int kSkippedChunkCount = 17;

void ReadFromDevice(png_structp png, png_bytep out, size_t length)
{
    auto *device = static_cast<QIODevice *>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char *>(out), qint64(length)) != qint64(length))
        png_error(png, "truncated");
}

void Ignore(png_structp, png_const_charp) {}

[[noreturn]] void JumpOut(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// PNG image data is split into chunks of this size; any size is valid, and readers handle large
// ones as well as libpng's own 8 KiB ones.
constexpr qsizetype kIdatChunk = 1 << 20;
// Below this much image data one thread does it all: starting helpers would cost more.
constexpr qsizetype kBytesPerPiece = 512 * 1024;

void AppendChunk(QByteArray &png, const char *type, const char *data, qsizetype size)
{
    char word[4];
    qToBigEndian<quint32>(quint32(size), word);
    png.append(word, 4);
    const qsizetype typeAt = png.size();
    png.append(type, 4);
    png.append(data, size);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + typeAt), uInt(size + 4));
    qToBigEndian<quint32>(quint32(crc), word);
    png.append(word, 4);
}

// Rows with their filter byte (1, Sub: each byte less the same channel's byte of the pixel to its
// left) and the pixels in PNG's byte order. On screen pictures, with their runs of one colour and
// smooth gradients, Sub leaves the fast deflate far less to store than unfiltered rows, at
// almost no cost. `pixels` is Format_RGB32, or Format_ARGB32 when `alpha`.
RowMaker PngRows(const QImage &pixels, bool alpha)
{
    const int width = pixels.width();
    return [&pixels, alpha, width](int y, unsigned char *out) {
        const auto *in = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        *out++ = 1;
        QRgb left = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb p = in[x];
            out[0] = uchar(qRed(p) - qRed(left));
            out[1] = uchar(qGreen(p) - qGreen(left));
            out[2] = uchar(qBlue(p) - qBlue(left));
            if (alpha)
                out[3] = uchar(qAlpha(p) - qAlpha(left));
            out += alpha ? 4 : 3;
            left = p;
        }
    };
}

// Leaves the reader giving four bytes a pixel in QImage's 32-bit layout; true when the picture
// carries transparency.
bool RequestArgb32Rows(png_structp png, png_infop info)
{
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (kLittleEndian)
        png_set_bgr(png);
    const bool alpha = png_get_valid(png, info, PNG_INFO_tRNS) || (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA);
    if (alpha && !kLittleEndian)
        png_set_swap_alpha(png);
    if (!alpha)
        png_set_filler(png, 0xff, kLittleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    return alpha;
}

void IgnoreUnusedChunks(png_structp png)
{
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, kSkippedChunkCount);
    png_set_user_limits(png, MaxPictureSide, MaxPictureSide);
}

// Lays a translucent row over white where it lies, so a picture with transparency never needs
// a second full-size copy.
void FlattenOverWhite(uchar *line, int width)
{
    QRgb *row = reinterpret_cast<QRgb *>(line);
    for (int x = 0; x < width; ++x)
        row[x] = OverWhite(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), qAlpha(row[x]));
}

void ReadRows(png_structp png, QImage &image, int passes, bool alpha)
{
    for (int pass = 0; pass < passes; ++pass) {
        const bool last = pass == passes - 1;
        for (int y = 0; y < image.height(); ++y) {
            png_read_row(png, image.scanLine(y), nullptr);
            if (alpha && last)
                FlattenOverWhite(image.scanLine(y), image.width());
        }
    }
}

// `prefault` belongs to the caller, so no jump ever skips the thread it may start.
bool Decompress(QIODevice &device, QImage &image, std::optional<PrefaultPages> &prefault)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOut, Ignore);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    IgnoreUnusedChunks(png);
    png_set_read_fn(png, &device, ReadFromDevice);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    const bool alpha = RequestArgb32Rows(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (DecodableSize(width, height) && png_get_rowbytes(png, info) == size_t(width) * 4)
        image = QImage(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    prefault.emplace(image.bits(), size_t(image.sizeInBytes()));
    ReadRows(png, image, passes, alpha);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

int DefaultPngPieces()
{
    // Several pieces a core, so the cores share the work evenly however it is spread over the rows;
    // one when no second core is free, as each piece costs a little.
    const int cores = FreeCores();
    return cores == 1 ? 1 : qMin(4 * cores, 8);
}

QByteArray EncodePng(const QImage &image, int pieces)
{
    if (image.isNull())
        return {};
    const bool alpha = image.hasAlphaChannel();
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage pixels = image.format() == format ? image : image.convertToFormat(format);
    const qsizetype rowBytes = 1 + qsizetype(pixels.width()) * (alpha ? 4 : 3);
    const qsizetype useful = qMax<qsizetype>(1, rowBytes * pixels.height() / kBytesPerPiece);
    const QByteArray data = DeflateRows(pixels.height(), rowBytes, PngRows(pixels, alpha), int(qMin<qsizetype>(pieces, useful)));
    if (data.isEmpty())
        return {};
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    // Room for all chunks at once: grown as it is appended to, the file would be copied again.
    png.reserve(8 + 25 + data.size() + 12 * (data.size() / kIdatChunk + 1) + 12);
    char header[13];
    qToBigEndian<quint32>(quint32(pixels.width()), header);
    qToBigEndian<quint32>(quint32(pixels.height()), header + 4);
    header[8] = 8;                // bits per channel
    header[9] = alpha ? 6 : 2;    // RGBA or RGB
    header[10] = header[11] = 0;  // deflate; the one filter method
    header[12] = 0;               // not interlaced
    AppendChunk(png, "IHDR", header, 13);
    for (qsizetype at = 0; at < data.size(); at += kIdatChunk)
        AppendChunk(png, "IDAT", data.constData() + at, qMin(kIdatChunk, data.size() - at));
    AppendChunk(png, "IEND", nullptr, 0);
    return png;
}

QImage DecodePng(QIODevice &source)
{
    if (std::optional<QImage> direct = DecodePngDirectly(source))
        return *direct;
    QImage image;
    std::optional<PrefaultPages> prefault;  // stops before the picture goes
    if (!Decompress(source, image, prefault))
        return {};
    return image;
}

QImage DecodePng(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    return DecodePng(buffer);
}

}  // namespace tiv
