#include "capture/TFrmShortcutSet.h"
#include "capture/TFrmToolBar.h"
#include "common/ButtonFace.h"
#include "common/ImageResources.h"
#include "common/InterfaceFonts.h"
#include "common/ToolkitTranslations.h"
#include "editing/FontColorDialog.h"
#include "editing/TFrmPicParam.h"
#include "editing/TFrmWaterMarkSet.h"
#include "files/TFormAddPath.h"
#include "files/TFrmDirSelect.h"
#include "files/TFrmReName.h"
#include "panels/TFrmVersion.h"
#include "settings/TFrmBackgroundSet.h"
#include "support/MainWindowFixture.h"

#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QtEndian>

using namespace tiv;

namespace {

struct Named {
    const char *name;
    const char *type;
    int width, height;
};

// The main window's pictures at the sizes its controls are drawn for.
const Named kMainWindowPictures[] = {
    {"BtnMouseAreatPIC", "BMP", 122, 25}, {"BtnFullScreenCut", "BMP", 123, 25}, {"BtnUDCutScreen", "BMP", 122, 25},
    {"BtnAddWatermark", "BMP", 122, 25},  {"BtnPicSaveAs", "BMP", 122, 25},     {"BtnOpenAPic", "BMP", 123, 25},
    {"BtnDeletePic", "BMP", 124, 25},     {"BtnRenamePic", "BMP", 124, 25},     {"BtnOpenByPaintB", "BMP", 124, 25},
    {"BtnPicFullScreen", "BMP", 122, 25}, {"BtnSaveToClipboard", "BMP", 122, 25}, {"BtnSetHotkey", "BMP", 122, 25},
    {"BtnHelp", "BMP", 122, 25},          {"BtnAbout", "BMP", 122, 25},         {"BtnExit", "BMP", 122, 25},
    {"opendir", "BMP", 122, 25},          {"selectpath", "BMP", 87, 25},        {"BtnSPSaveImg", "BMP", 56, 25},
    {"BtnOtherFun", "BMP", 122, 25},      {"cCoutinueCut", "BMP", 87, 19},      {"ncCoutinueCut", "BMP", 87, 19},
    {"topavert", "JPG", 1925, 65},        {"ImgPicFormJ", "JPG", 1214, 45},     {"ImgFuntoolbar", "JPG", 1600, 40},
    {"ImgSPPicName", "JPG", 161, 25},     {"ImgSPIncPre", "JPG", 162, 21},
};

// Pictures the other windows take; their sizes follow those windows' controls.
const Named kOtherPictures[] = {
    {"confirm", "BMP", 0, 0},  {"cancel", "BMP", 0, 0},           {"newdir", "BMP", 0, 0},
    {"helpdoc", "JPG", 0, 0},  {"BtnSpSelectPicAdd", "BMP", 0, 0}, {"BtnClose", "BMP", 0, 0},
    {"ImgSpWaterMarkType", "JPG", 0, 0}, {"SpImgPreview", "JPG", 0, 0}, {"BtnSpExistMainWin", "BMP", 0, 0},
    {"BtnSpMouseCutScreen", "BMP", 0, 0}, {"BtnSPFullScreenC", "BMP", 0, 0}, {"HotkeyDefault", "BMP", 0, 0},
    {"HotkeySave", "BMP", 0, 0}, {"HotkeyClose", "BMP", 0, 0},
};

QPixmap load(const Named &n)
{
    QPixmap p;
    if (QByteArray(n.type) == "BMP")
        LoadBmpResource(p, QString::fromLatin1(n.name));
    else
        LoadJpgResource(p, QString::fromLatin1(n.name));
    return p;
}

QImage pixels(const QIcon &icon, QSize size)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage pixels(const char *bmpName)
{
    QPixmap p;
    LoadBmpResource(p, QString::fromLatin1(bmpName));
    return p.toImage().convertToFormat(QImage::Format_RGB32);
}

struct ScaleGuard {
    ~ScaleGuard() { SetResourceScale(0); }
};

// A face is a picture filling the button, or an edge in the skin's border colour, which both the
// pictures and the drawn faces have. A bare or flat button shows the toolkit's grey or nothing.
bool hasFace(QPushButton *button)
{
    if (!button->icon().isNull() && button->iconSize() == button->size())
        return true;
    const QImage look = button->grab().toImage();
    return look.pixelColor(0, look.height() / 2) == QColor(147, 176, 206);
}

}  // namespace

TEST(SkinPictures, EveryNamedPictureExistsAtItsSizeAndTwiceItInFilesOfTheRightKind)
{
    for (const Named &n : kMainWindowPictures) {
        const QPixmap p = load(n);
        EXPECT_EQ(p.size(), QSize(n.width, n.height)) << n.name;
    }
    ScaleGuard guard;
    for (const Named &n : kOtherPictures) {
        SetResourceScale(1);
        const QPixmap small = load(n);
        EXPECT_FALSE(small.isNull()) << n.name;
        SetResourceScale(2);
        const QPixmap large = load(n);
        EXPECT_EQ(large.devicePixelRatio(), 2.0) << n.name;
        EXPECT_EQ(large.deviceIndependentSize().toSize(), small.size()) << n.name;
        EXPECT_EQ(large.size(), small.size() * 2) << n.name;
    }

    // Every embedded BMP is a 24-bit uncompressed Windows bitmap, every JPG a JPEG file.
    int files = 0;
    for (QDirIterator it(QStringLiteral(":/skin"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(54);
        ++files;
        if (f.fileName().endsWith(QStringLiteral(".bmp"))) {
            ASSERT_TRUE(head.startsWith("BM")) << qPrintable(f.fileName());
            EXPECT_EQ(qFromLittleEndian<quint16>(head.constData() + 28), 24) << qPrintable(f.fileName());
            EXPECT_EQ(qFromLittleEndian<quint32>(head.constData() + 30), 0u) << qPrintable(f.fileName());
        } else {
            EXPECT_TRUE(head.startsWith("\xFF\xD8\xFF")) << qPrintable(f.fileName());
        }
    }
    EXPECT_EQ(files, 2 * int(std::size(kMainWindowPictures) + std::size(kOtherPictures)));
}

TEST(SkinPictures, LookupIgnoresCaseTakesTheLargePictureOnAScaledScreenAndLeavesMissesAlone)
{
    ScaleGuard guard;
    SetResourceScale(1);
    QPixmap p;
    LoadBmpResource(p, QStringLiteral("BTNEXIT"), QStringLiteral("bmp"));
    EXPECT_EQ(p.size(), QSize(122, 25));
    QPixmap banner;
    LoadJpgResource(banner, QStringLiteral("TopAvert"), QStringLiteral("Jpg"));
    EXPECT_EQ(banner.size(), QSize(1925, 65));

    SetResourceScale(2);
    LoadBmpResource(p, QStringLiteral("btnexit"));
    EXPECT_EQ(p.devicePixelRatio(), 2.0);
    EXPECT_EQ(p.size(), QSize(244, 50));
    EXPECT_EQ(p.deviceIndependentSize(), QSizeF(122, 25));

    // A name of the other type, an unknown name and an absent one leave the target as it was.
    const qint64 before = p.cacheKey();
    LoadBmpResource(p, QStringLiteral("topavert"));
    LoadJpgResource(p, QStringLiteral("no such picture"));
    SetAbsentResources({QStringLiteral("BtnExit")});
    LoadBmpResource(p, QStringLiteral("btnEXIT"));
    SetAbsentResources({});
    EXPECT_EQ(p.cacheKey(), before);
}

TEST(SkinPictures, AnyScaleAboveOneTakesTheLargePictureResampledSmoothlyToThatScale)
{
    ScaleGuard guard;
    const QImage large(QStringLiteral(":/skin/bmp/BtnExit@2x.bmp"));
    for (const qreal scale : {1.25, 1.5, 1.75}) {
        SetResourceScale(scale);
        QPixmap p;
        LoadBmpResource(p, QStringLiteral("BtnExit"));
        EXPECT_EQ(p.devicePixelRatio(), scale);
        EXPECT_EQ(p.size(), QSize(qRound(122 * scale), qRound(25 * scale)));
        EXPECT_EQ(p.deviceIndependentSize().toSize(), QSize(122, 25));
        EXPECT_EQ(p.toImage().convertToFormat(QImage::Format_RGB32),
                  large.scaled(p.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGB32))
            << scale;
    }
}

TEST(SkinFonts, WindowsInterfaceFontsMapToInstalledFontsWithChineseGlyphs)
{
    InstallFontSubstitutions();
    for (const char *family : {"黑体", "宋体"}) {
        const QFont font(QString::fromUtf8(family));
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x622A))) << family << " -> " << qPrintable(QFontInfo(font).family());
    }
    EXPECT_NE(QFontInfo(QFont(QStringLiteral("Courier New"))).fixedPitch(), false);
}

TEST(SkinFonts, TheToolkitsOwnDialogsSpeakChinese)
{
    ASSERT_TRUE(InstallToolkitTranslations()) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::Warning, QStringLiteral("TIVrevudu"), QStringLiteral("x"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));

    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    const auto *buttons = save.findChild<QDialogButtonBox *>();
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("保存(&S)"));
    EXPECT_NE(QFileDialog::tr("%1 already exists.\nDo you want to replace it?"),
              QStringLiteral("%1 already exists.\nDo you want to replace it?"));
}

TEST(SkinFaces, ADialogButtonShowsItsPictureOrItsWordsAndAMainButtonStaysBlank)
{
    QWidget dialog;
    QPushButton *confirm = NewFaceButton(&dialog, "BtnConfirm", "confirm", "确定");
    EXPECT_EQ(confirm->objectName(), QStringLiteral("BtnConfirm"));
    EXPECT_FALSE(confirm->autoDefault());
    EXPECT_FALSE(confirm->icon().isNull());
    EXPECT_TRUE(confirm->text().isEmpty());
    EXPECT_EQ(confirm->accessibleName(), QStringLiteral("确定"));
    EXPECT_EQ(confirm->size(), QSize(75, 25));

    SetAbsentResources({QStringLiteral("cancel")});
    QPushButton *cancel = NewFaceButton(&dialog, "BtnCancel", "cancel", "取消");
    QPushButton blank;
    ApplyButtonFace(&blank, QStringLiteral("cancel"), QStringLiteral("取消"), MissingFace::Blank);
    SetAbsentResources({});
    EXPECT_TRUE(cancel->icon().isNull());
    EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
    EXPECT_TRUE(blank.text().isEmpty());
    EXPECT_EQ(blank.accessibleName(), QStringLiteral("取消"));
}

using SkinWindow = MainWindowFixture;

TEST_F(SkinWindow, OneMissingFaceLeavesOnlyThatButtonEmpty)
{
    SetAbsentResources({QStringLiteral("opendir")});
    start();
    SetAbsentResources({});
    EXPECT_EQ(w->windowTitle(), QStringLiteral("TIVrevudu2.2"));
    EXPECT_TRUE(w->BtnOpenDir->icon().isNull());
    EXPECT_TRUE(w->BtnOpenDir->text().isEmpty());
    EXPECT_EQ(w->BtnOpenDir->size(), QSize(122, 25));
    const QList<QPushButton *> faced = {
        w->BtnMouseAreatPIC, w->BtnFullScreenCut, w->BtnUDCutScreen, w->BtnAddWatermark, w->BtnPicSaveAs,
        w->BtnOpenAPic, w->BtnDeletePic, w->BtnRenamePic, w->BtnOpenByPaintB, w->BtnPicFullScreen,
        w->BtnSaveToClipboard, w->BtnSetHotkey, w->BtnHelp, w->BtnAbout, w->BtnExit, w->BtnSelectPath,
        w->BtnSPSaveImg, w->BtnOtherFun, w->BtnContinueCut2};
    for (QPushButton *b : faced) {
        EXPECT_FALSE(b->icon().isNull()) << qPrintable(b->objectName());
        EXPECT_TRUE(b->text().isEmpty()) << qPrintable(b->objectName());
        EXPECT_FALSE(b->accessibleName().isEmpty()) << qPrintable(b->objectName());
    }
    EXPECT_EQ(w->BtnExit->accessibleName(), QStringLiteral("退出"));
    for (QLabel *image : {w->Image48, w->ImgPicFormJ, w->ImgFuntoolbar, w->ImgSPPicName, w->ImgSPIncPre})
        EXPECT_FALSE(image->pixmap().isNull()) << qPrintable(image->objectName());
    // The row pictures stretch over their rows.
    w->resize(1200, 800);
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(w->ImgPicFormJ->size(), w->BtnOpenDir->parentWidget()->size());
    EXPECT_EQ(w->ImgFuntoolbar->size(), w->BtnAddText->parentWidget()->size());
}

TEST_F(SkinWindow, ToolRowCaptionsFitAtTheDesignWidth)
{
    start();
    w->resize(786, 643);
    w->show();
    QApplication::processEvents();
    int shown = 0;
    for (QPushButton *b : w->BtnAddText->parentWidget()->findChildren<QPushButton *>()) {
        if (!b->isVisible())
            continue;
        ++shown;
        EXPECT_GE(b->width(), b->sizeHint().width()) << qPrintable(b->objectName()) << " cuts its caption";
    }
    EXPECT_EQ(shown, 18);
}

TEST_F(SkinWindow, ContinuousGlyphFollowsTheToggleTheMenuAndTheSavedSetting)
{
    const QSize size(87, 19);
    EXPECT_EQ(pixels(w->BtnContinueCut2->icon(), size), pixels("ncCoutinueCut"));
    EXPECT_FALSE(w->BtnContinueCut2->isChecked());

    w->BtnContinueCut2->click();  // as the user clicks it: the button's own toggle and the handler
    EXPECT_TRUE(w->ContinuousCapture());
    EXPECT_TRUE(w->BtnContinueCut2->isChecked());
    EXPECT_EQ(pixels(w->BtnContinueCut2->icon(), size), pixels("cCoutinueCut"));

    w->BtnContinueCut->trigger();  // the menu item turns it off again
    EXPECT_FALSE(w->ContinuousCapture());
    EXPECT_FALSE(w->BtnContinueCut2->isChecked());
    EXPECT_EQ(pixels(w->BtnContinueCut2->icon(), size), pixels("ncCoutinueCut"));

    w->BtnContinueCut2Click();
    start();  // saved as on: the new window starts ticked
    EXPECT_TRUE(w->ContinuousCapture());
    EXPECT_TRUE(w->BtnContinueCut2->isChecked());
    EXPECT_EQ(pixels(w->BtnContinueCut2->icon(), size), pixels("cCoutinueCut"));

    // Without its pictures the button keeps the face it had.
    SetAbsentResources({QStringLiteral("cCoutinueCut"), QStringLiteral("ncCoutinueCut")});
    w->BtnContinueCut2Click();
    SetAbsentResources({});
    EXPECT_FALSE(w->BtnContinueCut2->isChecked());
    EXPECT_EQ(pixels(w->BtnContinueCut2->icon(), size), pixels("cCoutinueCut"));
}

TEST_F(SkinWindow, EveryShownButtonOfEveryWindowHasAFace)
{
    HotkeyTable table;
    ResetHotkeyDefaults(table);
    HotkeyConflicts conflicts{};
    TextBackground background;
    TFrmShortcutSet hotkeys(table, conflicts);
    TFrmVersion about(w.get());
    TFrmToolBar toolbar(*w);
    TFrmWaterMarkSet watermark(*w);
    TFrmPicParam size;
    TFrmBackgroundSet backgroundSet(background);
    TFrmReName rename;
    TFormAddPath addPath;
    TFrmDirSelect folders;
    FontColorDialog font;
    const QList<QWidget *> windows = {w.get(), &hotkeys, &about,    &toolbar, &watermark, &size,
                                      &backgroundSet, &rename, &addPath, &folders, &font};
    for (QWidget *window : windows) {
        int shown = 0;
        for (QPushButton *b : window->findChildren<QPushButton *>()) {
            if (!b->isVisibleTo(window))
                continue;
            ++shown;
            EXPECT_TRUE(hasFace(b)) << qPrintable(window->objectName()) << " " << qPrintable(b->objectName())
                                    << " " << qPrintable(b->text());
        }
        EXPECT_GT(shown, 0) << qPrintable(window->objectName());
    }
}

namespace {

// The columns of a picture's area, in logical pixels, where something darker than the paper is.
std::pair<int, int> inkColumns(const QPixmap &picture, const QRect &area)
{
    const QImage image = picture.toImage();
    const qreal scale = picture.devicePixelRatio();
    int first = INT_MAX, last = -1;
    for (int y = int(area.top() * scale); y < int((area.bottom() + 1) * scale); ++y)
        for (int x = int(area.left() * scale); x < int((area.right() + 1) * scale); ++x)
            if (image.pixelColor(x, y).lightness() < 200) {
                first = std::min(first, int(x / scale));
                last = std::max(last, int(x / scale));
            }
    return {first, last};
}

}  // namespace

TEST(SkinAbout, TheLabelsLandOnTheWordsThePictureDrawsForThemAtEitherSize)
{
    ScaleGuard guard;
    for (const qreal scale : {1.0, 2.0}) {
        SetResourceScale(scale);
        TFrmVersion about(nullptr);
        const QPixmap picture = about.Image1->pixmap();
        ASSERT_EQ(picture.devicePixelRatio(), scale);
        // The link's words lie under the link label, and its underscores run under all of them.
        const QRect link = about.Label1->geometry();
        const auto [wordsFrom, wordsTo] = inkColumns(picture, link);
        ASSERT_LE(wordsFrom, wordsTo) << "no words under the link at " << scale;
        EXPECT_LE(link.left(), wordsFrom);
        EXPECT_GE(link.left() + QFontMetrics(about.Label1->font()).horizontalAdvance(about.Label1->text()), wordsTo);
        // The word for version ends just before the number begins.
        const QRect version = about.LblVersion->geometry();
        const QRect before(version.left() - 40, version.top(), 40, version.height());
        const auto [wordFrom, wordTo] = inkColumns(picture, before);
        ASSERT_LE(wordFrom, wordTo) << "no word beside the version at " << scale;
        EXPECT_GE(wordTo, version.left() - 12);
        EXPECT_EQ(about.LblVersion->text(), QStringLiteral("2.2"));
    }
}
