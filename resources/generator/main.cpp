// Draws every skin picture and the program's icon into the resources folder:
//   skin/bmp/<name>.bmp, skin/jpg/<name>.jpg and their @2x variants, icons/hicolor/...
// usage: skin_generator RESOURCES_DIR FONT_FILE
#include "AppIcon.h"
#include "FacePainter.h"
#include "SkinTable.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

bool fail(const QString &what)
{
    std::fprintf(stderr, "skin_generator: %s\n", qPrintable(what));
    return false;
}

bool writePictures(const QDir &root, const QString &family)
{
    for (const char *type : {"bmp", "jpg"}) {
        QDir folder(root.filePath(QStringLiteral("skin/") + QLatin1String(type)));
        // Start from an empty folder so a picture dropped from the table leaves no file behind.
        folder.removeRecursively();
        if (!root.mkpath(folder.path()))
            return fail(QStringLiteral("cannot make ") + folder.path());
    }
    for (const skin::Picture &picture : skin::AllPictures()) {
        const QString type = picture.type.toLower();
        for (int scale : {1, 2}) {
            const QString file = root.filePath(QStringLiteral("skin/%1/%2%3.%1")
                                                   .arg(type, picture.name,
                                                        scale == 1 ? QString() : QStringLiteral("@2x")));
            const QImage image = skin::DrawPicture(picture, scale, family);
            // Qt writes 32-bit pictures as 24-bit uncompressed BMP files.
            const bool written = type == u"bmp" ? image.save(file, "BMP") : image.save(file, "JPG", 95);
            if (!written)
                return fail(QStringLiteral("cannot write ") + file);
        }
    }
    return true;
}

bool writeIcons(const QDir &root)
{
    const QDir hicolor(root.filePath(QStringLiteral("icons/hicolor")));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = hicolor.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder))
            return fail(QStringLiteral("cannot make ") + folder);
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        skin::DrawAppIcon(p, size);
        p.end();
        if (!icon.save(folder + QStringLiteral("/tivrevudu.png"), "PNG"))
            return fail(QStringLiteral("cannot write the %1 px icon").arg(size));
    }
    const QString scalable = hicolor.filePath(QStringLiteral("scalable/apps"));
    QFile svg(scalable + QStringLiteral("/tivrevudu.svg"));
    if (!QDir().mkpath(scalable) || !svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write the scalable icon"));
    svg.write(skin::AppIconSvg().toUtf8());
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return fail(QStringLiteral("usage: skin_generator RESOURCES_DIR FONT_FILE")), 2;
    const int font = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[2]));
    const QStringList families = QFontDatabase::applicationFontFamilies(font);
    if (families.isEmpty())
        return fail(QStringLiteral("cannot load the font ") + QString::fromLocal8Bit(argv[2])), 1;
    const QDir root(QString::fromLocal8Bit(argv[1]));
    return writePictures(root, families.first()) && writeIcons(root) ? 0 : 1;
}
