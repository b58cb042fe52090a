#include "codecs/PngDirectDecoder.h"

#include "codecs/DecodeLimits.h"
#include "codecs/OverWhite.h"
#include "codecs/PngPixelRows.h"
#include "codecs/PrefaultPages.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include <isa-l/igzip_lib.h>
#include <zlib.h>

namespace tiv {

namespace {

struct Header {
    quint32 width = 0, height = 0;
    int depth = 8, colour = 0;
    bool interlaced = false;
};

constexpr qint64 kSignatureAndHeader = 8 + 8 + 13 + 4;

std::optional<Header> DirectHeader(QIODevice &source)
{
    const QByteArray head = source.peek(kSignatureAndHeader);
    if (head.size() < kSignatureAndHeader || std::memcmp(head.constData(), "\x89PNG\r\n\x1a\n", 8) != 0 ||
        qFromBigEndian<quint32>(head.constData() + 8) != 13 || std::memcmp(head.constData() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const auto *typeAndHeader = reinterpret_cast<const uchar *>(head.constData() + 12);
    if (crc32(0, typeAndHeader, 4 + 13) != qFromBigEndian<quint32>(head.constData() + 29))
        return std::nullopt;  // libpng reports the damage
    const uchar *h = typeAndHeader + 4;
    const Header header{qFromBigEndian<quint32>(h), qFromBigEndian<quint32>(h + 4), h[8], h[9], h[12] == 1};
    const bool depthFits = header.depth == 8 || (header.depth == 16 && header.colour != png::Palette);
    const bool direct = depthFits && png::Channels(header.colour) > 0 && h[10] == 0 && h[11] == 0 && h[12] <= 1;
    return direct ? std::optional(header) : std::nullopt;
}

// The seven passes of an interlaced picture: first column and row, then the steps between them.
struct Pass {
    quint32 x0, y0, dx, dy;
};
constexpr std::array<Pass, 7> kAdam7{{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
constexpr std::array<Pass, 1> kWhole{{{0, 0, 1, 1}}};

class DirectDecoder {
public:
    DirectDecoder(QIODevice &source, const Header &header)
        : in_(source), header_(header), bpp_(size_t(png::Channels(header.colour) * header.depth / 8)),
          state_(std::make_unique<inflate_state>()),
          passes_(header.interlaced ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kWhole))
    {
        isal_inflate_init(state_.get());
        // The zlib wrapper is read here: its checksum comes after the last row, where libpng
        // only warns about it, so computing it would be wasted on the largest pictures.
        state_->crc_flag = ISAL_DEFLATE;
        palette_.fill(qRgb(0, 0, 0));
        kind_.colour = header.colour;
        kind_.depth = header.depth;
        kind_.palette = &palette_;
    }

    QImage run();

private:
    bool readExact(void *out, qint64 length) { return in_.read(static_cast<char *>(out), length) == length; }
    bool readBody(const uchar type[4], quint32 length, bool &crcMatches);
    bool takePalette(const std::vector<uchar> &data);
    void takeTransparency(const std::vector<uchar> &data);
    bool takeChunk(const uchar type[4], quint32 length);
    bool feedImageData(quint32 length, uLong crc);
    bool inflateInto(const uchar *data, size_t length);
    void startPass(size_t pass);
    bool finishRow();
    bool complete() const { return pass_ == passes_.size(); }

    QIODevice &in_;
    Header header_;
    size_t bpp_;
    std::unique_ptr<inflate_state> state_;
    std::span<const Pass> passes_;
    QImage image_;
    size_t pass_ = 0;
    quint32 passWidth_ = 0, passHeight_ = 0, passRow_ = 0;
    std::vector<uchar> row_, prior_, data_;
    size_t rowLength_ = 0, filled_ = 0;
    bool sawPalette_ = false;
    std::array<uchar, 2> wrapper_{};  // the zlib stream's first two bytes
    size_t wrapperRead_ = 0;
    std::array<QRgb, 256> palette_{};
    png::PixelKind kind_;
    std::optional<png::RowConverter> converter_;  // made at the first image data, when kind_ is complete
};

// Reads a small chunk's data into `data_`; false when the file ends first.
bool DirectDecoder::readBody(const uchar type[4], quint32 length, bool &crcMatches)
{
    data_.resize(length);
    uchar stored[4];
    if (!readExact(data_.data(), length) || !readExact(stored, 4))
        return false;
    crcMatches = qFromBigEndian<quint32>(stored) == quint32(crc32(crc32(0, type, 4), data_.data(), uInt(length)));
    return true;
}

bool DirectDecoder::takePalette(const std::vector<uchar> &data)
{
    if (data.empty() || data.size() % 3 != 0 || data.size() > 3 * 256)
        return false;
    for (size_t i = 0; i < data.size() / 3; ++i)
        palette_[i] = qRgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]);
    sawPalette_ = true;
    return true;
}

// A tRNS chunk that does not fit the picture is ignored, as libpng does.
void DirectDecoder::takeTransparency(const std::vector<uchar> &data)
{
    if (header_.colour == png::Palette && sawPalette_ && data.size() <= 256) {
        for (size_t i = 0; i < data.size(); ++i)
            palette_[i] = OverWhite(qRed(palette_[i]), qGreen(palette_[i]), qBlue(palette_[i]), data[i]);
    } else if (header_.colour == png::Grey && data.size() == 2) {
        const int grey = qFromBigEndian<quint16>(data.data());
        kind_.key = std::array<int, 3>{grey, grey, grey};
    } else if (header_.colour == png::Rgb && data.size() == 6) {
        kind_.key = std::array<int, 3>{qFromBigEndian<quint16>(data.data()), qFromBigEndian<quint16>(data.data() + 2),
                                       qFromBigEndian<quint16>(data.data() + 4)};
    }
}

// Passes without a pixel (a picture narrower or lower than the pass's first column or row) have
// no rows in the data at all.
void DirectDecoder::startPass(size_t pass)
{
    for (pass_ = pass; pass_ < passes_.size(); ++pass_) {
        const Pass &p = passes_[pass_];
        passWidth_ = header_.width > p.x0 ? (header_.width - p.x0 + p.dx - 1) / p.dx : 0;
        passHeight_ = header_.height > p.y0 ? (header_.height - p.y0 + p.dy - 1) / p.dy : 0;
        if (passWidth_ > 0 && passHeight_ > 0)
            break;
    }
    passRow_ = 0;
    filled_ = 0;
    rowLength_ = 1 + size_t(passWidth_) * bpp_;
    std::fill(prior_.begin(), prior_.end(), uchar(0));
}

bool DirectDecoder::finishRow()
{
    const size_t length = rowLength_ - 1;
    if (!png::Unfilter(row_[0], row_.data() + 1, prior_.data() + 1, length, bpp_))
        return false;
    const Pass &p = passes_[pass_];
    auto *out = reinterpret_cast<QRgb *>(image_.scanLine(int(p.y0 + passRow_ * p.dy))) + p.x0;
    converter_->convert(row_.data() + 1, passWidth_, out, p.dx);
    std::swap(row_, prior_);
    filled_ = 0;
    if (++passRow_ == passHeight_)
        startPass(pass_ + 1);
    return true;
}

// Inflates straight into the row being filled; data beyond the last row is ignored, as libpng
// ignores it.
bool DirectDecoder::inflateInto(const uchar *data, size_t length)
{
    for (; wrapperRead_ < 2 && length > 0; ++data, --length)
        wrapper_[wrapperRead_++] = *data;
    if (wrapperRead_ < 2)
        return true;
    // Deflate, a window of at most 32 KiB, no preset dictionary, and the check bits right.
    const int method = wrapper_[0] & 0x0f, window = wrapper_[0] >> 4, dictionary = wrapper_[1] & 0x20;
    if (method != 8 || window > 7 || dictionary || (wrapper_[0] * 256 + wrapper_[1]) % 31 != 0)
        return false;
    state_->next_in = const_cast<uchar *>(data);
    state_->avail_in = uint32_t(length);
    while (!complete() && state_->block_state != ISAL_BLOCK_FINISH) {
        const size_t filledBefore = filled_;
        const uint32_t inputBefore = state_->avail_in;
        state_->next_out = row_.data() + filled_;
        state_->avail_out = uint32_t(rowLength_ - filled_);
        const int result = isal_inflate(state_.get());
        if (result != ISAL_DECOMP_OK && result != ISAL_END_INPUT && result != ISAL_OUT_OVERFLOW)
            return false;
        filled_ = rowLength_ - state_->avail_out;
        if (filled_ == rowLength_) {
            if (!finishRow())
                return false;
        } else if (state_->avail_in == 0 || (filled_ == filledBefore && state_->avail_in == inputBefore)) {
            break;
        }
    }
    return true;
}

bool DirectDecoder::feedImageData(quint32 length, uLong crc)
{
    data_.resize(size_t(qMin<quint32>(length, 1 << 16)));
    while (length > 0) {
        const quint32 n = qMin<quint32>(length, quint32(data_.size()));
        if (!readExact(data_.data(), n))
            return false;
        crc = crc32(crc, data_.data(), n);
        if (!inflateInto(data_.data(), n))
            return false;
        length -= n;
    }
    uchar stored[4];
    return readExact(stored, 4) && qFromBigEndian<quint32>(stored) == quint32(crc);
}

QImage DirectDecoder::run()
{
    if (!DecodableSize(header_.width, header_.height) || in_.skip(kSignatureAndHeader) != kSignatureAndHeader)
        return {};
    image_ = QImage(int(header_.width), int(header_.height), QImage::Format_RGB32);
    if (image_.isNull())
        return {};
    const PrefaultPages prefault(image_.bits(), size_t(image_.sizeInBytes()));
    row_.assign(1 + size_t(header_.width) * bpp_, 0);
    prior_.assign(row_.size(), 0);
    startPass(0);
    for (;;) {
        uchar chunk[8];
        if (!readExact(chunk, 8))
            return {};
        const quint32 length = qFromBigEndian<quint32>(chunk);
        const uchar *type = chunk + 4;
        const bool letters = std::all_of(type, type + 4, [](uchar c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
        if (length > 0x7fffffffu || !letters)
            return {};
        if (std::memcmp(type, "IEND", 4) == 0)
            return complete() ? image_ : QImage();
        if (!takeChunk(type, length))
            return {};
    }
}

// What libpng makes of each chunk: a damaged or misplaced palette or image data fails the
// picture, a tRNS that does not fit it is ignored, other ancillary chunks are skipped unread.
bool DirectDecoder::takeChunk(const uchar type[4], quint32 length)
{
    bool crcMatches = false;
    if (std::memcmp(type, "IDAT", 4) == 0) {
        if (!converter_)
            converter_.emplace(kind_, header_.width);
        return (header_.colour != png::Palette || sawPalette_) && feedImageData(length, crc32(0, type, 4));
    }
    if (std::memcmp(type, "PLTE", 4) == 0 && header_.colour == png::Palette)
        return !sawPalette_ && length <= 3 * 256 && readBody(type, length, crcMatches) && crcMatches && takePalette(data_);
    if (std::memcmp(type, "tRNS", 4) == 0 && length <= 256 && !converter_) {
        if (!readBody(type, length, crcMatches))
            return false;
        if (crcMatches)
            takeTransparency(data_);
        return true;
    }
    // An unknown critical chunk (a second IHDR among them) means a picture we cannot read; a
    // suggested palette of a true-colour picture is of no use.
    const bool critical = !(type[0] & 0x20);
    if (critical && std::memcmp(type, "PLTE", 4) != 0)
        return false;
    return in_.skip(qint64(length) + 4) == qint64(length) + 4;
}

}  // namespace

std::optional<QImage> DecodePngDirectly(QIODevice &source)
{
    const std::optional<Header> header = DirectHeader(source);
    if (!header)
        return std::nullopt;
    return DirectDecoder(source, *header).run();
}

}  // namespace tiv
