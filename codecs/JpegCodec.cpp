#include "codecs/JpegCodec.h"

#include "codecs/DecodeLimits.h"
#include "codecs/FreeCores.h"
#include "codecs/JpegStripes.h"

#include <QBuffer>

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

// Progressive files are read scan by scan over the whole picture, so a file of a few kilobytes
// with a thousand tiny scans would keep the decoder busy for many seconds. Real encoders write
// about ten scans; libjpeg's own scripts never more than ten.
constexpr int kMaxScans = 32;

// Bytes taken from the file at a time.
constexpr int kSourceChunk = 32 * 1024;

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorTrap *>(cinfo->err)->jump, 1);
}

// A file that ends early would otherwise decode "successfully" with a grey lower part; so would
// one whose first scan stops short at a marker, down to a few header bytes claiming a picture of
// hundreds of megapixels. Later scans of a progressive file only refine what the first one drew.
void FailOnEarlyEnd(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    const int code = cinfo->err->msg_code;
    const bool firstScan = cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= 1;
    if (code == JWRN_JPEG_EOF || (code == JWRN_HIT_MARKER && firstScan))
        JumpOut(cinfo);
}

void LimitScans(j_common_ptr cinfo)
{
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        JumpOut(cinfo);
}

// Feeds libjpeg from a device a chunk at a time, so a file is never read whole.
struct DeviceSource {
    jpeg_source_mgr manager;
    QIODevice *device;
    JOCTET buffer[kSourceChunk];
};

void NoSourceStep(j_decompress_ptr) {}

boolean FillFromDevice(j_decompress_ptr cinfo)
{
    auto *source = reinterpret_cast<DeviceSource *>(cinfo->src);
    qint64 got = source->device->read(reinterpret_cast<char *>(source->buffer), kSourceChunk);
    if (got <= 0) {
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        got = 2;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = size_t(got);
    return TRUE;
}

void SkipInDevice(j_decompress_ptr cinfo, long count)
{
    auto *source = reinterpret_cast<DeviceSource *>(cinfo->src);
    if (count <= 0)
        return;
    if (size_t(count) <= source->manager.bytes_in_buffer) {
        source->manager.next_input_byte += count;
        source->manager.bytes_in_buffer -= size_t(count);
        return;
    }
    source->device->skip(qint64(count) - qint64(source->manager.bytes_in_buffer));
    source->manager.bytes_in_buffer = 0;
}

void UseDevice(jpeg_decompress_struct &cinfo, DeviceSource &source, QIODevice &device)
{
    source.device = &device;
    source.manager.next_input_byte = nullptr;
    source.manager.bytes_in_buffer = 0;
    source.manager.init_source = NoSourceStep;
    source.manager.fill_input_buffer = FillFromDevice;
    source.manager.skip_input_data = SkipInDevice;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = NoSourceStep;
    cinfo.src = &source.manager;
}

void Silent(j_common_ptr) {}

void InstallTrap(ErrorTrap &trap, jpeg_error_mgr *&err)
{
    err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpOut;
    trap.manager.emit_message = FailOnEarlyEnd;
    trap.manager.output_message = Silent;
}

// Writes the file straight into a byte array sized for a typical picture: libjpeg's own memory
// destination starts at 4 KiB and copies everything into a buffer of twice the size each time it
// fills, and the result would then be copied once more; every copy lands on fresh pages.
struct ArrayDestination {
    jpeg_destination_mgr manager;
    QByteArray *out;
};

bool ResizeArray(j_compress_ptr cinfo, qsizetype size)
{
    auto *destination = reinterpret_cast<ArrayDestination *>(cinfo->dest);
    bool resized = true;
    try {
        destination->out->resize(size);
    } catch (...) {
        resized = false;
    }
    return resized;
}

void StartArray(j_compress_ptr cinfo)
{
    // A screen picture at quality 100 takes well under a byte a pixel; a larger one grows the array.
    const qsizetype guess = qsizetype(cinfo->image_width) * cinfo->image_height / 2 + 16 * 1024;
    if (!ResizeArray(cinfo, guess))
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    auto *destination = reinterpret_cast<ArrayDestination *>(cinfo->dest);
    destination->manager.next_output_byte = reinterpret_cast<JOCTET *>(destination->out->data());
    destination->manager.free_in_buffer = size_t(destination->out->size());
}

boolean GrowArray(j_compress_ptr cinfo)
{
    auto *destination = reinterpret_cast<ArrayDestination *>(cinfo->dest);
    const qsizetype used = destination->out->size();
    if (!ResizeArray(cinfo, 2 * used))
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    destination->manager.next_output_byte = reinterpret_cast<JOCTET *>(destination->out->data() + used);
    destination->manager.free_in_buffer = size_t(destination->out->size() - used);
    return TRUE;
}

void EndArray(j_compress_ptr cinfo)
{
    auto *destination = reinterpret_cast<ArrayDestination *>(cinfo->dest);
    destination->out->resize(destination->out->size() - qsizetype(destination->manager.free_in_buffer));
}

// Rows [firstRow, firstRow + rows) of the picture as a file of their own, into `out`.
bool Compress(const QImage &pixels, int firstRow, int rows, int quality, QByteArray &out)
{
    ArrayDestination destination{{}, &out};
    destination.manager.init_destination = StartArray;
    destination.manager.empty_output_buffer = GrowArray;
    destination.manager.term_destination = EndArray;
    jpeg_compress_struct cinfo{};
    ErrorTrap trap;
    InstallTrap(trap, cinfo.err);
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    cinfo.dest = &destination.manager;
    cinfo.image_width = JDIMENSION(pixels.width());
    cinfo.image_height = JDIMENSION(rows);
    cinfo.input_components = 4;
    cinfo.in_color_space = kRgb32Space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.constScanLine(firstRow + int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

// libjpeg hands CMYK over as it is stored: inverted (255 is no ink), as Adobe's writers and libjpeg
// itself write it, and libjpeg-turbo's own tools read every CMYK file that way, Adobe marker or
// not. c * k / 255 is rounded to nearest as they round it (it never lies exactly halfway), so a
// picture reads here pixel for pixel as it does there.
void CmykRowToRgb32(const JSAMPLE *cmyk, QRgb *out, int width)
{
    const auto times = [](int ink, int k) { return (ink * k + 127) / 255; };
    for (int x = 0; x < width; ++x, cmyk += 4) {
        const int k = cmyk[3];
        out[x] = qRgb(times(cmyk[0], k), times(cmyk[1], k), times(cmyk[2], k));
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
            CmykRowToRgb32(scratch[0], reinterpret_cast<QRgb *>(line), image.width());
    }
}

bool Decompress(QIODevice &device, QImage &image)
{
    jpeg_decompress_struct cinfo{};
    ErrorTrap trap;
    DeviceSource source;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = LimitScans;
    InstallTrap(trap, cinfo.err);
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    UseDevice(cinfo, source, device);
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    if (DecodableSize(cinfo.image_width, cinfo.image_height))
        image = QImage(int(cinfo.image_width), int(cinfo.image_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // A progressive file keeps every coefficient of the picture until its last scan; libjpeg has
    // no backing store here, so a file needing more than what is left fails instead.
    cinfo.mem->max_memory_to_use = long(kMaxDecodeWorkingBytes - image.sizeInBytes());
    jpeg_start_decompress(&cinfo);
    ReadRows(cinfo, image);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

QByteArray EncodeJpeg(const QImage &image, int quality, int stripes)
{
    if (image.isNull())
        return {};
    const QImage pixels = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const auto encodeRows = [&pixels, quality](int firstRow, int rows) {
        QByteArray encoded;
        if (!Compress(pixels, firstRow, rows, qBound(1, quality, 100), encoded))
            encoded.clear();
        return encoded;
    };
    // Stripes of at least this many pixels each pay for their thread.
    constexpr qint64 kPixelsPerStripe = 256 * 1024;
    const qint64 useful = qint64(pixels.width()) * pixels.height() / kPixelsPerStripe;
    return EncodeJpegStripes(pixels.width(), pixels.height(), int(qBound<qint64>(1, useful, qint64(stripes))), encodeRows);
}

int DefaultJpegStripes()
{
    // Several stripes a core, so the cores share the work evenly; none when no second core is
    // free, as each stripe costs a little.
    const int cores = FreeCores();
    return cores == 1 ? 1 : qMin(4 * cores, 8);
}

QImage DecodeJpeg(QIODevice &source)
{
    QImage image;
    if (!Decompress(source, image))
        return {};
    return image;
}

QImage DecodeJpeg(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(buffer);
}

}  // namespace tiv
