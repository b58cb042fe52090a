#include "codecs/BmpCodec.h"
#include "codecs/DecodeLimits.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "files/LoadPictureFile.h"
#include "support/HostilePictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace tiv;
using namespace tiv::hostile;

namespace {

// Growth of the process's peak resident memory while `work` runs, in MiB. A file of a few bytes
// that makes a decoder touch hundreds of megabytes shows here whatever the machine's speed.
long PeakGrowthMiB(const std::function<void()> &work)
{
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    work();
    getrusage(RUSAGE_SELF, &after);
    return (after.ru_maxrss - before.ru_maxrss) / 1024;
}

constexpr long kSmallGrowthMiB = 64;

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A file of `size` bytes that takes no room on disk: the unwritten part reads as zeros.
void WriteSparse(const QString &path, const QByteArray &start, qint64 size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(start);
    ASSERT_TRUE(file.resize(size));
}

}  // namespace

TEST(HostilePictures, PngAncillaryChunksAreSkippedUnread)
{
    const QImage expected = DecodePng(EncodePng(TestDesktop(QSize(40, 30))));
    ASSERT_FALSE(expected.isNull());
    const QByteArray big(9 * 1024 * 1024, 'x');  // beyond libpng's own 8 MB chunk limit
    for (const char *type : {"tEXt", "zTXt", "iTXt", "sCAL", "pCAL", "iCCP", "prVt"}) {
        EXPECT_EQ(DecodePng(PngWithChunk(QSize(40, 30), type, big)), expected) << type;
        EXPECT_LT(PeakGrowthMiB([&] { EXPECT_TRUE(DecodePng(PngHugeChunkClaim(type)).isNull()) << type; }),
                  kSmallGrowthMiB)
            << type;
    }
}

TEST(HostilePictures, JpegWhoseDataCannotFillThePictureIsRefused)
{
    for (const bool progressive : {false, true}) {
        for (const bool fullColour : {false, true}) {
            const QByteArray file = JpegEmptyScan(QSize(11000, 11000), progressive, fullColour);
            ASSERT_LT(file.size(), 1024);
            EXPECT_LT(PeakGrowthMiB([&] { EXPECT_TRUE(DecodeJpeg(file).isNull()); }), kSmallGrowthMiB)
                << progressive << fullColour;
        }
    }
    EXPECT_TRUE(DecodeJpeg(JpegCutScan()).isNull());
}

TEST(HostilePictures, JpegScansAreCapped)
{
    const QByteArray normal = JpegManyScans(0);
    const QImage decoded = DecodeJpeg(normal);
    EXPECT_EQ(decoded.size(), QSize(64, 48));
    EXPECT_EQ(DecodeJpeg(JpegManyScans(32)).size(), QSize(64, 48));
    EXPECT_TRUE(DecodeJpeg(JpegManyScans(33)).isNull());
    EXPECT_TRUE(DecodeJpeg(JpegManyScans(1000)).isNull());
}

TEST(HostilePictures, PicturesTheCanvasCannotHoldAreRefusedByTheirHeaders)
{
    EXPECT_TRUE(DecodableSize(MaxPictureSide, 4096));
    EXPECT_FALSE(DecodableSize(MaxPictureSide + 1, 1));
    EXPECT_FALSE(DecodableSize(1, MaxPictureSide + 1));
    EXPECT_TRUE(DecodableSize(16384, 8192));
    EXPECT_FALSE(DecodableSize(16384, 8193));
    EXPECT_EQ(DecodeBmp(BmpOneBit(QSize(64, 3))).size(), QSize(64, 3));
    EXPECT_TRUE(DecodeBmp(BmpOneBit(QSize(MaxPictureSide + 1, 2))).isNull());
    EXPECT_TRUE(DecodeBmp(BmpOneBit(QSize(16384, 8193))).isNull());
    EXPECT_TRUE(DecodePng(PngUniform(QSize(16384, 8193), 0, false)).isNull());
    EXPECT_TRUE(DecodePng(PngUniform(QSize(MaxPictureSide + 1, 1), 0, false)).isNull());
    EXPECT_EQ(DecodePng(PngUniform(QSize(5, 7), qRgb(0, 0, 0), false)).pixel(4, 6), qRgb(0, 0, 0));
}

TEST(HostilePictures, TranslucentPngIsLaidOverWhiteWithoutASecondPicture)
{
    const QByteArray png = PngUniform(QSize(2000, 1500), qRgba(200, 0, 0, 128), true);
    QImage decoded;
    const long growth = PeakGrowthMiB([&] { decoded = DecodePng(png); });
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    EXPECT_EQ(decoded.pixel(1999, 1499), qRgb(227, 127, 127));
    // The picture takes 11.4 MiB; a second full-size copy would double that.
    EXPECT_LT(growth, 18);
}

TEST(HostilePictures, FilesAreDecodedFromDiskAndNeverReadWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString video = dir.filePath("clip.mp4"), jpeg = dir.filePath("clip.jpg");
    WriteSparse(video, "\x00\x00\x00\x18" "ftypmp42", 64 << 20);
    WriteSparse(jpeg, "\xFF\xD8\xFF\xE0", 64 << 20);
    for (const QString &path : {video, jpeg}) {
        EXPECT_LT(PeakGrowthMiB([&] { EXPECT_TRUE(LoadPictureFile(path).isEmpty()) << path.toStdString(); }), 32);
    }
    const QString huge = dir.filePath("disk.bmp");
    WriteSparse(huge, BmpOneBit(QSize(64, 64)), kMaxPictureFileBytes + 1);
    EXPECT_TRUE(LoadPictureFile(huge).isEmpty());

    // PNG, JPEG and BMP content under another name goes to our decoders, not the general readers.
    const QByteArray claim = PngHugeChunkClaim("zTXt");
    for (const char *name : {"claim.gif", "claim.ppm", "claim"}) {
        WriteBytes(dir.filePath(name), claim);
        EXPECT_LT(PeakGrowthMiB([&] { EXPECT_TRUE(LoadPictureFile(dir.filePath(name)).isEmpty()) << name; }),
                  kSmallGrowthMiB);
    }
    WriteBytes(dir.filePath("claim.ico"), IconWithPng(claim));
    EXPECT_LT(PeakGrowthMiB([&] { EXPECT_TRUE(LoadPictureFile(dir.filePath("claim.ico")).isEmpty()); }), kSmallGrowthMiB);
    const QImage small = TestDesktop(QSize(16, 16));
    WriteBytes(dir.filePath("icon.ico"), IconWithPng(EncodePng(small)));
    EXPECT_EQ(LoadPictureFile(dir.filePath("icon.ico")).image.convertToFormat(QImage::Format_RGB32), small);
    WriteBytes(dir.filePath("really-png.gif"), EncodePng(small));
    const CanvasPicture renamed = LoadPictureFile(dir.filePath("really-png.gif"));
    EXPECT_EQ(renamed.kind, CanvasPicture::Kind::Foreign);
    EXPECT_EQ(renamed.image, small);

    // A named pipe would block the reader for ever.
    const QString pipe = dir.filePath("pipe.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(LoadPictureFile(pipe).isEmpty());

    // A BMP is read row by row from its pixel offset, wherever that lies.
    WriteBytes(dir.filePath("one.bmp"), BmpOneBit(QSize(70, 9)));
    EXPECT_EQ(LoadPictureFile(dir.filePath("one.bmp")).image, DecodeBmp(BmpOneBit(QSize(70, 9))));
}
