#include "codecs/JpegStripes.h"

#include "codecs/FreeCores.h"

#include <QtEndian>

#include <vector>

namespace tiv {

namespace {

constexpr uchar kMarker = 0xFF, kSos = 0xDA, kEoi = 0xD9, kDri = 0xDD, kFirstRestart = 0xD0;
// Restart intervals are counted in units in a 16-bit field.
constexpr int kMaxInterval = 65535;

// Where a stripe's file keeps what the joined file takes from it.
struct StripeParts {
    qsizetype scanHeader = -1;  // the start of the SOS segment
    qsizetype scanData = -1;    // the first byte of entropy-coded data
    qsizetype scanEnd = -1;     // the EOI marker that ends the file
};

StripeParts FindParts(const QByteArray &jpeg)
{
    StripeParts parts;
    const auto *bytes = reinterpret_cast<const uchar *>(jpeg.constData());
    const qsizetype size = jpeg.size();
    if (size < 4 || bytes[size - 2] != kMarker || bytes[size - 1] != kEoi)
        return {};
    // Past SOI, segment by segment up to the scan.
    for (qsizetype at = 2; at + 4 <= size;) {
        if (bytes[at] != kMarker)
            return {};
        const qsizetype length = qFromBigEndian<quint16>(bytes + at + 2);
        if (bytes[at + 1] == kSos) {
            parts.scanHeader = at;
            parts.scanData = at + 2 + length;
            parts.scanEnd = size - 2;
            return parts.scanData <= parts.scanEnd ? parts : StripeParts{};
        }
        at += 2 + length;
    }
    return {};
}

// Writes the whole picture's height into the frame header (SOF0 to SOF2) ahead of the scan.
bool SetFrameHeight(QByteArray &header, int height)
{
    auto *bytes = reinterpret_cast<uchar *>(header.data());
    for (qsizetype at = 2; at + 7 <= header.size();) {
        const qsizetype length = qFromBigEndian<quint16>(bytes + at + 2);
        if (bytes[at + 1] >= 0xC0 && bytes[at + 1] <= 0xC2) {
            qToBigEndian<quint16>(quint16(height), bytes + at + 5);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

}  // namespace

QByteArray EncodeJpegStripes(int width, int height, int stripes, const JpegRowsEncoder &encode)
{
    const int units = (height + kJpegStripeRows - 1) / kJpegStripeRows;
    const int unitsPerRow = (width + kJpegStripeRows - 1) / kJpegStripeRows;
    if (width <= 0 || height <= 0 || unitsPerRow > kMaxInterval)
        return {};
    int unitRowsPerStripe = (units + qMax(1, stripes) - 1) / qMax(1, stripes);
    unitRowsPerStripe = qMin(unitRowsPerStripe, kMaxInterval / unitsPerRow);
    const int count = (units + unitRowsPerStripe - 1) / unitRowsPerStripe;
    if (count == 1)
        return encode(0, height);

    const int stripeRows = unitRowsPerStripe * kJpegStripeRows;
    std::vector<QByteArray> files(static_cast<size_t>(count));
    RunOnFreeCores(count, [&](int i) { files[size_t(i)] = encode(i * stripeRows, qMin(stripeRows, height - i * stripeRows)); });

    std::vector<StripeParts> parts;
    qsizetype total = 0;
    for (const QByteArray &file : files) {
        parts.push_back(FindParts(file));
        if (parts.back().scanHeader < 0)
            return {};
        total += file.size();
    }
    QByteArray joined = files[0].left(parts[0].scanHeader);
    if (!SetFrameHeight(joined, height))
        return {};
    joined.reserve(total + 8 + 2 * count);
    const uchar restartInterval[] = {kMarker, kDri, 0, 4, uchar(unitsPerRow * unitRowsPerStripe >> 8),
                                     uchar(unitsPerRow * unitRowsPerStripe)};
    joined.append(reinterpret_cast<const char *>(restartInterval), sizeof restartInterval);
    joined.append(files[0].constData() + parts[0].scanHeader, parts[0].scanEnd - parts[0].scanHeader);
    for (size_t i = 1; i < files.size(); ++i) {
        // Each stripe's encoder padded its last byte as a restart marker wants it.
        joined.append(char(kMarker)).append(char(kFirstRestart + (i - 1) % 8));
        joined.append(files[i].constData() + parts[i].scanData, parts[i].scanEnd - parts[i].scanData);
    }
    return joined.append(char(kMarker)).append(char(kEoi));
}

}  // namespace tiv
