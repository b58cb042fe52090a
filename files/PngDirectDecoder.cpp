#include "files/PngDirectDecoder.h"

#include "files/DecodeLimits.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <isa-l/igzip_lib.h>
#include <zlib.h>

namespace tiv {

namespace {

enum Colour { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

int BytesPerPixel(int colour)
{
    switch (colour) {
    case Grey:
    case Palette:
        return 1;
    case GreyAlpha:
        return 2;
    case Rgb:
        return 3;
    case Rgba:
        return 4;
    default:
        return 0;
    }
}

struct Header {
    quint32 width = 0, height = 0;
    int colour = 0;
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
    const Header header{qFromBigEndian<quint32>(h), qFromBigEndian<quint32>(h + 4), h[9]};
    const bool direct = h[8] == 8 && BytesPerPixel(header.colour) > 0 && h[10] == 0 && h[11] == 0 && h[12] == 0;
    return direct ? std::optional(header) : std::nullopt;
}

uchar Paeth(int left, int up, int upLeft)
{
    const int p = left + up - upLeft, pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    return uchar(pa <= pb && pa <= pc ? left : pb <= pc ? up : upLeft);
}

// Undoes a row's filter in place; `prior` is the unfiltered row above (zeros for the first).
bool Unfilter(int filter, uchar *row, const uchar *prior, size_t length, size_t bpp)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (size_t i = bpp; i < length; ++i)
            row[i] = uchar(row[i] + row[i - bpp]);
        return true;
    case 2:
        for (size_t i = 0; i < length; ++i)
            row[i] = uchar(row[i] + prior[i]);
        return true;
    case 3:
        for (size_t i = 0; i < length; ++i)
            row[i] = uchar(row[i] + (((i >= bpp ? row[i - bpp] : 0) + prior[i]) >> 1));
        return true;
    case 4:
        for (size_t i = 0; i < bpp; ++i)
            row[i] = uchar(row[i] + prior[i]);
        for (size_t i = bpp; i < length; ++i)
            row[i] = uchar(row[i] + Paeth(row[i - bpp], prior[i], prior[i - bpp]));
        return true;
    default:
        return false;
    }
}

class DirectDecoder {
public:
    DirectDecoder(QIODevice &source, const Header &header)
        : in_(source), header_(header), bpp_(size_t(BytesPerPixel(header.colour))),
          rowBytes_(size_t(header.width) * bpp_), state_(std::make_unique<inflate_state>())
    {
        isal_inflate_init(state_.get());
        state_->crc_flag = ISAL_ZLIB;
        palette_.fill(qRgb(0, 0, 0));
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
    bool finishRow();

    QIODevice &in_;
    Header header_;
    size_t bpp_, rowBytes_;
    std::unique_ptr<inflate_state> state_;
    QImage image_;
    std::vector<uchar> row_, prior_, data_;
    size_t filled_ = 0;
    quint32 y_ = 0;
    bool sawPalette_ = false, sawImageData_ = false;
    std::array<QRgb, 256> palette_{};
    std::optional<std::array<int, 3>> colourKey_;  // the one transparent grey or RGB value
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
    if (header_.colour == Palette && sawPalette_ && data.size() <= 256) {
        for (size_t i = 0; i < data.size(); ++i)
            palette_[i] = OverWhite(qRed(palette_[i]), qGreen(palette_[i]), qBlue(palette_[i]), data[i]);
    } else if (header_.colour == Grey && data.size() == 2) {
        const int grey = qFromBigEndian<quint16>(data.data());
        colourKey_ = std::array<int, 3>{grey, grey, grey};
    } else if (header_.colour == Rgb && data.size() == 6) {
        colourKey_ = std::array<int, 3>{qFromBigEndian<quint16>(data.data()), qFromBigEndian<quint16>(data.data() + 2),
                                        qFromBigEndian<quint16>(data.data() + 4)};
    }
}

bool DirectDecoder::finishRow()
{
    uchar *row = row_.data() + 1;
    if (!Unfilter(row_[0], row, prior_.data() + 1, rowBytes_, bpp_))
        return false;
    auto *out = reinterpret_cast<QRgb *>(image_.scanLine(int(y_)));
    const auto keyed = [&](int r, int g, int b) {
        return colourKey_ && (*colourKey_)[0] == r && (*colourKey_)[1] == g && (*colourKey_)[2] == b;
    };
    const size_t width = header_.width;
    switch (header_.colour) {
    case Grey:
        for (size_t x = 0; x < width; ++x)
            out[x] = keyed(row[x], row[x], row[x]) ? qRgb(255, 255, 255) : qRgb(row[x], row[x], row[x]);
        break;
    case GreyAlpha:
        for (size_t x = 0; x < width; ++x)
            out[x] = OverWhite(row[2 * x], row[2 * x], row[2 * x], row[2 * x + 1]);
        break;
    case Palette:
        for (size_t x = 0; x < width; ++x)
            out[x] = palette_[row[x]];
        break;
    case Rgb:
        for (size_t x = 0; x < width; ++x) {
            const uchar *p = row + 3 * x;
            out[x] = keyed(p[0], p[1], p[2]) ? qRgb(255, 255, 255) : qRgb(p[0], p[1], p[2]);
        }
        break;
    default:
        for (size_t x = 0; x < width; ++x) {
            const uchar *p = row + 4 * x;
            out[x] = p[3] == 255 ? qRgb(p[0], p[1], p[2]) : OverWhite(p[0], p[1], p[2], p[3]);
        }
    }
    std::swap(row_, prior_);
    filled_ = 0;
    ++y_;
    return true;
}

// Inflates straight into the row being filled; data beyond the last row is ignored, as libpng
// ignores it.
bool DirectDecoder::inflateInto(const uchar *data, size_t length)
{
    state_->next_in = const_cast<uchar *>(data);
    state_->avail_in = uint32_t(length);
    while (y_ < header_.height && state_->block_state != ISAL_BLOCK_FINISH) {
        const size_t filledBefore = filled_;
        const uint32_t inputBefore = state_->avail_in;
        state_->next_out = row_.data() + filled_;
        state_->avail_out = uint32_t(row_.size() - filled_);
        const int result = isal_inflate(state_.get());
        if (result != ISAL_DECOMP_OK && result != ISAL_END_INPUT && result != ISAL_OUT_OVERFLOW)
            return false;
        filled_ = row_.size() - state_->avail_out;
        if (filled_ == row_.size()) {
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
    if (!DecodableSize(header_.width, header_.height) || !in_.skip(kSignatureAndHeader))
        return {};
    image_ = QImage(int(header_.width), int(header_.height), QImage::Format_RGB32);
    row_.assign(rowBytes_ + 1, 0);
    prior_.assign(rowBytes_ + 1, 0);
    if (image_.isNull())
        return {};
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
            return y_ == header_.height ? image_ : QImage();
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
        sawImageData_ = true;
        return (header_.colour != Palette || sawPalette_) && feedImageData(length, crc32(0, type, 4));
    }
    if (std::memcmp(type, "PLTE", 4) == 0 && header_.colour == Palette)
        return !sawPalette_ && length <= 3 * 256 && readBody(type, length, crcMatches) && crcMatches && takePalette(data_);
    if (std::memcmp(type, "tRNS", 4) == 0 && length <= 256 && !sawImageData_) {
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
