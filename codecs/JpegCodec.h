#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>

namespace tiv {

// Baseline colour JPEG with libjpeg's defaults at the given quality (1 to 100); empty on failure.
QByteArray EncodeJpeg(const QImage &image, int quality = 100);

// A Format_RGB32 image, or a null image for anything undecodable: truncated data, a first scan
// that stops short, more than 32 scans, or a picture beyond the decode limits. Reads the device
// from its current position a chunk at a time.
QImage DecodeJpeg(QIODevice &source);
QImage DecodeJpeg(const QByteArray &data);

}  // namespace tiv
