#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>

namespace tiv {

// How many stripes EncodeJpeg makes at most by default: four a free core (FreeCores), at most 8;
// one when no second core is free.
int DefaultJpegStripes();

// Baseline colour JPEG with libjpeg's defaults at the given quality (1 to 100); empty on failure.
// A large picture is encoded in up to `stripes` stripes in parallel, joined with restart markers
// (EncodeJpegStripes); its pixels decode the same as from one made in one go.
QByteArray EncodeJpeg(const QImage &image, int quality = 100, int stripes = DefaultJpegStripes());

// A Format_RGB32 image, or a null image for anything undecodable: truncated data, a first scan
// that stops short, more than 32 scans, or a picture beyond the decode limits. Reads the device
// from its current position a chunk at a time.
QImage DecodeJpeg(QIODevice &source);
QImage DecodeJpeg(const QByteArray &data);

}  // namespace tiv
