#include "codecs/ParallelDeflate.h"

#include "codecs/FreeCores.h"

#include <QtEndian>

#include <vector>

#include <isa-l/igzip_lib.h>
#include <zlib.h>

namespace tiv {

namespace {

struct Piece {
    int firstRow = 0;
    int endRow = 0;
    bool last = false;
    qsizetype lead = 0;  // bytes kept free in front of the output
    QByteArray out;
    uLong adler = 1;  // of the piece's own rows
    bool ok = false;
};

// Rows are handed to the compressor this many bytes at a time: ISA-L copies small inputs into a
// buffer of its own first.
constexpr qsizetype kBatchBytes = 128 * 1024;

// Runs the compressor until it has taken all input and, on the batch that ends the piece, given
// all output, growing the output as needed.
bool Drive(isal_zstream &stream, QByteArray &out, qsizetype &used, bool ends)
{
    for (;;) {
        if (out.size() - used < 64 * 1024)
            out.resize(out.size() + qMax<qsizetype>(out.size() / 2, 256 * 1024));
        stream.next_out = reinterpret_cast<uint8_t *>(out.data() + used);
        stream.avail_out = uint32_t(out.size() - used);
        const qsizetype before = used;
        if (isal_deflate(&stream) != COMP_OK)
            return false;
        used = out.size() - qsizetype(stream.avail_out);
        if (stream.avail_in > 0 || stream.avail_out == 0)
            continue;
        // Room left in the output means a flush is complete; the stream's end is marked once
        // written.
        if (!ends || !stream.end_of_stream || stream.internal_state.state == ZSTATE_END)
            return true;
        if (used == before)
            return false;
    }
}

void DeflatePiece(Piece &piece, qsizetype rowBytes, const RowMaker &makeRow)
{
    isal_zstream stream;
    isal_deflate_init(&stream);
    // Raw deflate: the zlib header and checksum are written once for the joined stream. The
    // fastest level with its largest history buffer: on screen pictures it packs about as well as
    // zlib's default level at a tenth of the time, or better once rows are filtered.
    std::vector<uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    stream.level = 1;
    stream.level_buf = levelBuffer.data();
    stream.level_buf_size = uint32_t(levelBuffer.size());
    stream.gzip_flag = IGZIP_DEFLATE;
    const int batchRows = int(qMax<qsizetype>(1, qMin<qsizetype>(kBatchBytes / rowBytes, piece.endRow - piece.firstRow)));
    std::vector<unsigned char> batch(static_cast<size_t>(rowBytes * batchRows));
    qsizetype used = piece.lead;
    piece.out.resize(piece.lead + qsizetype(rowBytes * (piece.endRow - piece.firstRow) / 2) + 1024);
    bool ok = true;
    int y = piece.firstRow;
    do {
        const int rows = qMax(0, qMin(batchRows, piece.endRow - y));
        for (int i = 0; i < rows; ++i)
            makeRow(y + i, batch.data() + i * rowBytes);
        y += rows;
        const bool ends = y == piece.endRow;
        piece.adler = isal_adler32(uint32_t(piece.adler), batch.data(), uint64_t(rows * rowBytes));
        stream.next_in = batch.data();
        stream.avail_in = uint32_t(rows * rowBytes);
        // A sync flush ends on a byte boundary without marking the last block, so the next piece's
        // blocks follow on directly.
        stream.end_of_stream = ends && piece.last;
        stream.flush = ends && !piece.last ? SYNC_FLUSH : NO_FLUSH;
        ok = Drive(stream, piece.out, used, ends);
    } while (ok && y < piece.endRow);
    piece.ok = ok;
    piece.out.truncate(used);
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
    // The zlib header is written in front of the first piece's output, which becomes the stream:
    // with one piece nothing is copied. Every copy of a picture's data into fresh memory costs
    // the page faults of that memory besides the copy (a few milliseconds a capture).
    parts[0].lead = 2;
    RunOnFreeCores(pieces, [&](int i) { DeflatePiece(parts[size_t(i)], rowBytes, makeRow); });

    uLong adler = 1;
    qsizetype total = 4;
    for (const Piece &piece : parts) {
        if (!piece.ok)
            return {};
        adler = adler32_combine(adler, piece.adler, z_off_t(rowBytes) * (piece.endRow - piece.firstRow));
        total += piece.out.size();
    }
    QByteArray stream = std::move(parts[0].out);
    stream[0] = '\x78';  // deflate, 32 KiB window,
    stream[1] = '\x01';  // fastest level
    stream.reserve(total);
    for (size_t i = 1; i < parts.size(); ++i)
        stream += parts[i].out;
    char checksum[4];
    qToBigEndian<quint32>(quint32(adler), checksum);
    stream.append(checksum, 4);
    return stream;
}

}  // namespace tiv
