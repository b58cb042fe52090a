#include "support/MainWindowFixture.h"

#include "files/LoadPictureFile.h"
#include "files/PictureDrive.h"

#include <QDir>
#include <QFileInfo>

using namespace tiv;

namespace {

struct AfterCapture : MainWindowFixture {
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // A smooth desktop, so JPEG's colour subsampling costs next to nothing.
        QImage desktop(80, 60, QImage::Format_RGB32);
        for (int y = 0; y < desktop.height(); ++y)
            for (int x = 0; x < desktop.width(); ++x)
                desktop.setPixel(x, y, qRgb(x * 3, y * 4, 128));
        fakes.screen.desktop = desktop;
        w->show();
    }
    QStringList savedFiles() const
    {
        return QDir(pictureFolder()).entryList(QDir::Files, QDir::Name);
    }
    QStringList listed() const { return w->BitmapListModel->stringList(); }
};

// JPEG at quality 100 stays within a level or two per channel on average (colour is subsampled,
// so single pixels of a busy pattern may stray further).
bool closeTo(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    double error = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            error += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q));
        }
    return error / (3.0 * a.width() * a.height()) < 3.0;
}

}  // namespace

TEST_F(AfterCapture, FullScreenCaptureGoesToClipboardFileListAndHint)
{
    ASSERT_TRUE(w->AutoClipboard()) << "copying to the clipboard is on by default";
    w->CaptureFullScreen();
    ASSERT_EQ(fakes.clipboard.images.size(), 1);
    EXPECT_EQ(fakes.clipboard.images.last(), fakes.screen.desktop);
    ASSERT_EQ(savedFiles(), QStringList{QStringLiteral("1.jpg")});
    const QString saved = pictureFolder() + QStringLiteral("/1.jpg");
    EXPECT_TRUE(closeTo(LoadPictureFile(saved).image, fakes.screen.desktop));
    EXPECT_EQ(w->CurrentPicturePath, saved);
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("自动保存图片为") + saved);
    EXPECT_EQ(listed(), QStringList{QStringLiteral("1.jpg")});

    // Each capture asks for the next free number; the toggles for folder saving change nothing.
    // A window capture with no window to take saves nothing.
    w->BtnAutoSaveToPathClick();
    w->BtnSaveToCBClick();
    w->CaptureActiveWindow();
    fakes.screen.foreground = ForegroundWindow{QRect(0, 0, 10, 10), QRect(1, 1, 8, 8)};
    w->CaptureActiveClientArea();
    w->CaptureActiveWindow();
    EXPECT_EQ(fakes.clipboard.images.size(), 1) << "the clipboard toggle is off now";
    EXPECT_EQ(savedFiles(), (QStringList{"1.jpg", "2.jpg", "3.jpg"}));
    EXPECT_EQ(listed(), (QStringList{"1.jpg", "2.jpg", "3.jpg"}));
    EXPECT_TRUE(w->PnlHint->text().endsWith(QStringLiteral("/3.jpg")));
}

TEST_F(AfterCapture, ContinuousCaptureSavesWithoutShowingOrRelisting)
{
    w->BtnContinueCut2Click();
    w->hide();
    w->CaptureFullScreen();
    w->CaptureFullScreen();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(savedFiles(), (QStringList{"1.jpg", "2.jpg"}));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(fakes.clipboard.images.size(), 2);
    w->show();
    EXPECT_EQ(listed(), (QStringList{"1.jpg", "2.jpg"})) << "the list catches up when the window comes back";
}

TEST_F(AfterCapture, FormatPrefixAndFailuresOfTheSave)
{
    w->CbPicFomat->setCurrentIndex(6);  // .png
    w->EdtAutoSavePre->setText(QStringLiteral("  shot "));
    w->CaptureFullScreen();
    EXPECT_EQ(savedFiles(), QStringList{QStringLiteral("shot1.png")});
    EXPECT_EQ(LoadPictureFile(pictureFolder() + "/shot1.png").image, fakes.screen.desktop);

    w->CbPicFomat->setCurrentIndex(2);  // .jpeg is a real JPEG file
    w->CaptureFullScreen();
    QFile jpeg(pictureFolder() + QStringLiteral("/shot1.jpeg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jpeg.read(3) == QByteArray("\xff\xd8\xff", 3));

    // No format selected: nothing is saved, the hint does not claim a save, and the save's
    // illegal-path message says that no file could be named.
    w->CbPicFomat->setCurrentIndex(-1);
    const QString hint = w->PnlHint->text();
    const QString current = w->CurrentPicturePath;
    w->CaptureFullScreen();
    EXPECT_EQ(savedFiles().size(), 2);
    EXPECT_EQ(w->PnlHint->text(), hint);
    EXPECT_EQ(w->CurrentPicturePath, current);
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last(), QStringLiteral("不合法路径:,请重输入一个路径"));
    EXPECT_TRUE(messagesPlain);

    // A picture folder on a removable disk that is not plugged in: the region button stops with a
    // message naming the disk, and nothing is created under its empty mount folder.
    const QString disk = QStringLiteral("/media/") + LoginName() + QStringLiteral("/tiv-test-usb");
    w->EdtPicPath->setText(disk + QStringLiteral("/pics"));
    fakes.drives.mounts = {QStringLiteral("/")};
    w->GrabMenuClick();
    EXPECT_EQ(w->ToolMode, 0);
    EXPECT_EQ(messages.last(), QStringLiteral("磁盘") + disk + QStringLiteral("不存在，请重选择一个路径。"));
    EXPECT_FALSE(QFileInfo::exists(disk));
    EXPECT_TRUE(fakes.hotkeys.registrations.isEmpty());
}

TEST_F(AfterCapture, SaveCommandsReportWhatWentWrong)
{
    w->CaptureFullScreen();
    const QString saved = w->CurrentPicturePath;
    // A folder that cannot be made (its parent is a file): the BMP branch says the save failed.
    QFile blocker(home.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w->SavePicture(home.filePath(QStringLiteral("blocker/x.bmp")));
    EXPECT_EQ(messages.last(), QStringLiteral("保存失败") + home.filePath(QStringLiteral("blocker/x.bmp")));

    // Save-as without a list entry does nothing; with one that is gone it asks for a list picture.
    const int before = messages.size();
    w->BitmapListBox->setCurrentIndex(QModelIndex());
    w->BtnSPSaveImgClick();
    EXPECT_EQ(messages.size(), before);
    QFile::remove(saved);
    w->BitmapListBox->setCurrentIndex(w->BitmapListModel->index(0));
    w->BtnSPSaveImgClick();
    EXPECT_EQ(messages.last(), QStringLiteral("请选择图片列表中的一个图片。"));
}

TEST_F(AfterCapture, NoNumberLeftMeansNoFileAndAClearHint)
{
    QDir().mkpath(pictureFolder());
    QFile last(pictureFolder() + QStringLiteral("/2147483647.jpg"));
    ASSERT_TRUE(last.open(QIODevice::WriteOnly));
    last.close();
    w->CurrentPicturePath = QStringLiteral("/earlier.jpg");
    w->CaptureFullScreen();
    EXPECT_EQ(savedFiles(), QStringList{QStringLiteral("2147483647.jpg")});
    EXPECT_TRUE(w->PnlHint->text().contains(QStringLiteral("2147483647")));
    EXPECT_FALSE(w->PnlHint->text().startsWith(QStringLiteral("自动保存图片为")));
    EXPECT_EQ(w->CurrentPicturePath, QStringLiteral("/earlier.jpg"));
}

TEST_F(AfterCapture, AFailedWriteIsNotReportedAsSaved)
{
    // The picture folder's name is taken by a file: the JPEG cannot be written.
    QDir(pictureFolder()).removeRecursively();
    QFile blocker(pictureFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w->CaptureFullScreen();
    EXPECT_TRUE(w->PnlHint->text().startsWith(QStringLiteral("保存失败"))) << w->PnlHint->text().toStdString();
    EXPECT_TRUE(messages.isEmpty()) << "the JPEG branch shows no box of its own";
}
