#include "files/PngCodec.h"

#include "files/DecodeLimits.h"

#include <QBuffer>

#include <png.h>
#include <zlib.h>


// libpng reports errors by longjmp, so the functions that hold a jump target keep only trivially
// destructible locals; the images and buffers they fill belong to their callers.
namespace tiv {

namespace {

constexpr bool kLittleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;

// Chunks the decoder has no use for. libpng would otherwise allocate (and clear) as much as a
// chunk's length claims for a text or profile chunk, up to 2 GiB for a 45-byte file; marked as
// never kept, they are skipped through a small buffer and the picture still decodes.
constexpr png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0sCAL\0pCAL\0iCCP\0sPLT\0eXIf\0hIST\0bKGD\0"
                                      "cHRM\0gAMA\0oFFs\0pHYs\0sBIT\0sRGB\0tIME";
constexpr int kSkippedChunkCount = 17;

void AppendToBytes(png_structp png, png_bytep data, size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), qsizetype(length));
}

void NoFlush(png_structp) {}

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

// pixels is Format_RGB888 or Format_RGBA8888: bytes in PNG's own order, so libpng copies rows
// without a transformation pass of its own.
bool Compress(const QImage &pixels, QByteArray &out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOut, Ignore);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const bool alpha = pixels.format() == QImage::Format_RGBA8888;
    png_set_write_fn(png, &out, AppendToBytes, NoFlush);
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, Z_DEFAULT_COMPRESSION);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height(); ++y)
        png_write_row(png, pixels.constScanLine(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
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
    for (int x = 0; x < width; ++x) {
        const int a = qAlpha(row[x]), white = 255 * (255 - a);
        row[x] = qRgb((qRed(row[x]) * a + white) / 255, (qGreen(row[x]) * a + white) / 255,
                      (qBlue(row[x]) * a + white) / 255);
    }
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

bool Decompress(QIODevice &device, QImage &image)
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
    ReadRows(png, image, passes, alpha);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

QByteArray EncodePng(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    const QImage pixels = image.convertToFormat(format);
    QByteArray encoded;
    if (!Compress(pixels, encoded))
        return {};
    return encoded;
}

QImage DecodePng(QIODevice &source)
{
    QImage image;
    if (!Decompress(source, image))
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
