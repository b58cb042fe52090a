#include "files/JpegCodec.h"

#include "files/DecodeLimits.h"

#include <cstdio>
#include <cstdlib>
#include <csetjmp>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg reports errors by longjmp here, so the functions that hold a jump target keep only
// trivially destructible locals; the images they fill belong to their callers.
namespace tiv {

namespace {

// QImage::Format_RGB32 pixels as bytes in memory.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorTrap *>(cinfo->err)->jump, 1);
}

// A file that ends early would otherwise decode "successfully" with a grey lower part.
void FailOnEarlyEnd(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        JumpOut(cinfo);
}

void Silent(j_common_ptr) {}

void InstallTrap(ErrorTrap &trap, jpeg_error_mgr *&err)
{
    err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpOut;
    trap.manager.emit_message = FailOnEarlyEnd;
    trap.manager.output_message = Silent;
}

bool Compress(const QImage &pixels, int quality, unsigned char **buffer, unsigned long *size)
{
    jpeg_compress_struct cinfo{};
    ErrorTrap trap;
    InstallTrap(trap, cinfo.err);
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = JDIMENSION(pixels.width());
    cinfo.image_height = JDIMENSION(pixels.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = kRgb32Space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

// Adobe writers store CMYK inverted, which is what the marker tells us.
void CmykRowToRgb32(const JSAMPLE *cmyk, QRgb *out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

void ReadRows(jpeg_decompress_struct &cinfo, QImage &image)
{
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    JSAMPARRAY scratch = cmyk
        ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1)
        : nullptr;
    while (cinfo.output_scanline < cinfo.output_height) {
        uchar *line = image.scanLine(int(cinfo.output_scanline));
        JSAMPROW row = cmyk ? scratch[0] : line;
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk)
            CmykRowToRgb32(scratch[0], reinterpret_cast<QRgb *>(line), image.width(), cinfo.saw_Adobe_marker);
    }
}

bool Decompress(const QByteArray &data, QImage &image)
{
    jpeg_decompress_struct cinfo{};
    ErrorTrap trap;
    InstallTrap(trap, cinfo.err);
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()), (unsigned long)data.size());
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    if (DecodableSize(cinfo.image_width, cinfo.image_height))
        image = QImage(int(cinfo.image_width), int(cinfo.image_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    ReadRows(cinfo, image);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

QByteArray EncodeJpeg(const QImage &image, int quality)
{
    if (image.isNull())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    QByteArray encoded;
    if (Compress(pixels, qBound(1, quality, 100), &buffer, &size))
        encoded = QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return encoded;
}

QImage DecodeJpeg(const QByteArray &data)
{
    QImage image;
    if (data.isEmpty() || !Decompress(data, image))
        return {};
    return image;
}

}  // namespace tiv
