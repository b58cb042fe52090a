#include "codecs/ParallelDeflate.h"

#include <QtEndian>

#include <atomic>
#include <thread>
#include <vector>

#include <zlib.h>

namespace tiv {

namespace {

struct Piece {
    int firstRow = 0;
    int endRow = 0;
    bool last = false;
    QByteArray out;
    uLong adler = 1;  // of the piece's own rows
    bool ok = false;
};

// Runs deflate until it has taken all input and, for a flush, given all output, growing the
// output as needed.
bool Drive(z_stream &stream, QByteArray &out, qsizetype &used, int flush)
{
    for (;;) {
        if (out.size() - used < 64 * 1024)
            out.resize(out.size() + qMax<qsizetype>(out.size() / 2, 256 * 1024));
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + used);
        stream.avail_out = uInt(out.size() - used);
        const int result = deflate(&stream, flush);
        used = out.size() - qsizetype(stream.avail_out);
        if (result == Z_STREAM_END)
            return true;
        if (result != Z_OK && result != Z_BUF_ERROR)
            return false;
        if (stream.avail_in == 0 && stream.avail_out > 0)
            return flush != Z_FINISH;
    }
}

void DeflatePiece(Piece &piece, qsizetype rowBytes, const RowMaker &makeRow)
{
    z_stream stream{};
    // Raw deflate: the zlib header and checksum are written once for the joined stream.
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return;
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes));
    qsizetype used = 0;
    piece.out.resize(qsizetype(deflateBound(&stream, uLong(rowBytes) * uLong(piece.endRow - piece.firstRow))) + 1024);
    bool ok = true;
    for (int y = piece.firstRow; ok && y < piece.endRow; ++y) {
        makeRow(y, row.data());
        piece.adler = adler32(piece.adler, row.data(), uInt(rowBytes));
        stream.next_in = row.data();
        stream.avail_in = uInt(rowBytes);
        ok = Drive(stream, piece.out, used, Z_NO_FLUSH);
    }
    stream.avail_in = 0;
    // A sync flush ends on a byte boundary without marking the last block, so the next piece's
    // blocks follow on directly.
    piece.ok = ok && Drive(stream, piece.out, used, piece.last ? Z_FINISH : Z_SYNC_FLUSH);
    piece.out.truncate(used);
    deflateEnd(&stream);
}

}  // namespace

QByteArray DeflateRows(int rows, qsizetype rowBytes, const RowMaker &makeRow, int pieces)
{
    pieces = qBound(1, pieces, qMax(1, rows));
    std::vector<Piece> parts(static_cast<size_t>(pieces));
    for (int i = 0; i < pieces; ++i) {
        parts[size_t(i)].firstRow = int(qint64(rows) * i / pieces);
        parts[size_t(i)].endRow = int(qint64(rows) * (i + 1) / pieces);
        parts[size_t(i)].last = i == pieces - 1;
    }
    // One worker a core takes the next piece as it finishes one, so a run of rows that is slow to
    // compress does not leave the other cores idle.
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int i = next++; i < pieces; i = next++)
            DeflatePiece(parts[size_t(i)], rowBytes, makeRow);
    };
    const int workers = qBound(1, int(std::thread::hardware_concurrency()), pieces);
    std::vector<std::thread> helpers;
    for (int i = 1; i < workers; ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();

    QByteArray stream("\x78\x9c", 2);  // deflate, 32 KiB window, default level
    uLong adler = 1;
    for (const Piece &piece : parts) {
        if (!piece.ok)
            return {};
        stream += piece.out;
        adler = adler32_combine(adler, piece.adler, z_off_t(rowBytes) * (piece.endRow - piece.firstRow));
    }
    char checksum[4];
    qToBigEndian<quint32>(quint32(adler), checksum);
    return stream + QByteArray(checksum, 4);
}

}  // namespace tiv
