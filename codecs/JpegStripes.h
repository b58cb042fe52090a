#pragma once

#include <QByteArray>

#include <functional>

namespace tiv {

// Encodes rows [firstRow, firstRow + rows) of a picture as a complete baseline JPEG of that many
// rows; empty on failure.
using JpegRowsEncoder = std::function<QByteArray(int firstRow, int rows)>;

// Rows a stripe starts on a multiple of: the height of one unit of a colour picture whose colour
// is stored at half resolution both ways, as libjpeg's defaults have it.
constexpr int kJpegStripeRows = 16;

// One baseline JPEG of a `width` x `height` picture, its rows split into up to `stripes` runs that
// `encode` makes independently, one thread a free core (FreeCores), joined with restart markers: a decoder starts
// afresh at each marker as the stripe's own encoder did, so the joined file decodes to exactly the
// pixels of one made in one go. `encode` must use the same tables for every stripe (no optimised
// Huffman tables) and the unit height above. Empty on failure.
QByteArray EncodeJpegStripes(int width, int height, int stripes, const JpegRowsEncoder &encode);

}  // namespace tiv
