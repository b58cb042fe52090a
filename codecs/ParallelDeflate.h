#pragma once

#include <QByteArray>

#include <functional>

namespace tiv {

// Writes row `y` (rowBytes bytes) into `out`.
using RowMaker = std::function<void(int y, unsigned char *out)>;

// One standard zlib stream (header, deflate data, Adler-32) of `rows` rows at the fastest level
// (ISA-L's deflate). The rows are split into `pieces` runs that are deflated independently, by one
// thread a free core (FreeCores), and joined: every piece but the last ends on a sync flush, so the
// joined data is a single valid deflate stream, and the checksums are combined. Each piece starts
// without the previous piece's window, which costs a few hundred bytes per piece. Empty on failure.
QByteArray DeflateRows(int rows, qsizetype rowBytes, const RowMaker &makeRow, int pieces);

}  // namespace tiv
