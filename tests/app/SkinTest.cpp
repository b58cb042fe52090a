#include "common/ButtonFace.h"
#include "common/ImageResources.h"
#include "common/InterfaceFonts.h"
#include "common/ToolkitTranslations.h"
#include "support/MainWindowFixture.h"

#include <QDialogButtonBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QFile>
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
    {"BtnSpMouseCutScreen", "BMP", 0, 0}, {"BtnSPFullScreenC", "BMP", 0, 0},
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
    EXPECT_EQ(shown, 17);
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
