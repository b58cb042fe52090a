#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tiv::hostile {

// Small picture files built to cost a careless decoder seconds and gigabytes. Shared by the
// tests, the fuzzing seeds and the benchmark that measures the worst file of each kind.

// One PNG chunk: length, type, data and CRC.
QByteArray PngChunk(const QByteArray &type, const QByteArray &data);
// A PNG of `size` whose chunk `type` (tEXt, iCCP, ...) of `payload` bytes comes before the image
// data.
QByteArray PngWithChunk(QSize size, const QByteArray &type, const QByteArray &payload);
// The signature, the header and a chunk `type` whose length claims almost 2 GiB: 41 bytes.
QByteArray PngHugeChunkClaim(const QByteArray &type);
// A PNG of `size` whose every pixel is `colour` (RGBA when `alpha`, else RGB): a few hundred
// kilobytes for the largest picture the canvas holds.
QByteArray PngUniform(QSize size, QRgb colour, bool alpha);
// The same at 8 or 16 bits a sample, interlaced or not.
QByteArray PngUniform(QSize size, QRgb colour, bool alpha, int depth, bool interlaced);

// A JPEG whose header claims `size` and whose first scan is empty. With `fullColour` every
// component is sampled at full size, so a progressive decoder needs the most coefficient memory.
QByteArray JpegEmptyScan(QSize size, bool progressive, bool fullColour);
// A progressive JPEG of a desktop-like picture of `size` whose last scan is repeated until it has
// `scans` scans.
QByteArray JpegManyScans(int scans, QSize size = QSize(64, 48));
// A baseline JPEG of a real picture whose scan stops half way, followed by the end marker.
QByteArray JpegCutScan();

// An icon file holding `png` as its one picture, as icons of 256x256 pixels do.
QByteArray IconWithPng(const QByteArray &png);

// A one-bit BMP of `size`, the format that packs the most pixels into a file.
QByteArray BmpOneBit(QSize size);

// A desktop-like test picture.
QImage TestDesktop(QSize size);

}  // namespace tiv::hostile
