#pragma once

#include <QByteArray>
#include <QImage>

namespace tiv {

// Baseline colour JPEG with libjpeg's defaults at the given quality (1 to 100); empty on failure.
QByteArray EncodeJpeg(const QImage &image, int quality = 100);

// A Format_RGB32 image, or a null image for anything undecodable, truncated data included.
QImage DecodeJpeg(const QByteArray &data);

}  // namespace tiv
