#include "support/MainWindowFixture.h"

#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "editing/ImageControl.h"

#include <QDir>
#include <QFile>

using namespace tiv;

namespace {

struct PictureListWindow : ShownWindowWithFolder {
    void touch(const QString &name, const QByteArray &bytes = "x")
    {
        QFile f(folder + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void openFolder(const QString &text)
    {
        w->EdtPicPath->setText(text);
        w->EdtPicPathExit();
    }
    QStringList listed() const { return w->BitmapListModel->stringList(); }
    void clickRow(int row)
    {
        w->BitmapListBox->setCurrentIndex(w->BitmapListModel->index(row));
        w->BitmapListBoxClick();
    }
};

}  // namespace

TEST_F(PictureListWindow, ListsTheFolderInNumberOrderAndKeepsTheCurrentEntry)
{
    for (const char *name : {"1.jpg", "10.jpg", "2.jpg", "9.bmp", "Thumbs.db", "notes.txt", "a.doc",
                             "A.DOC", "NOTES.TXT", "abc.jpg"})
        touch(QString::fromLatin1(name));
    QDir().mkpath(folder + QStringLiteral("/99.jpg"));  // a folder is not listed
    openFolder(QStringLiteral("  ") + folder + QStringLiteral("  "));
    EXPECT_EQ(w->EdtPicPath->text(), folder) << "the folder text is trimmed";
    const QStringList names = listed();
    ASSERT_EQ(names.size(), 7);
    EXPECT_EQ(names.mid(3), (QStringList{"1.jpg", "2.jpg", "9.bmp", "10.jpg"}));
    EXPECT_TRUE(names.contains("A.DOC") && names.contains("NOTES.TXT") && names.contains("abc.jpg"));

    // The current picture's entry gets the focus mark; a fill without it keeps the index.
    w->CurrentPicturePath = folder + QStringLiteral("/9.bmp");
    w->FillPictureList();
    EXPECT_EQ(w->ListSelectedIndex, 5);
    EXPECT_EQ(w->BitmapListBox->currentIndex().row(), 5);
    w->CurrentPicturePath = folder + QStringLiteral("/gone.jpg");
    w->CbPicFomatChange();
    EXPECT_EQ(w->ListSelectedIndex, 5);

    openFolder(QStringLiteral("   "));
    EXPECT_EQ(messages.last(), QStringLiteral("请输入图片路径"));
    EXPECT_EQ(listed().size(), 7) << "the list keeps its entries";
}

TEST_F(PictureListWindow, ClickShowsThePictureEnterOpensItAndPngIsShownToo)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    touch(QStringLiteral("1.png"), EncodePng(picture));
    touch(QStringLiteral("2.jpg"), QByteArray("not a jpeg"));
    openFolder(folder + u'/');
    ASSERT_EQ(listed(), (QStringList{"1.png", "2.jpg"}));

    clickRow(0);
    EXPECT_FALSE(w->WebBrowser1->isVisible());
    EXPECT_EQ(w->CurrentPicturePath, folder + QStringLiteral("/1.png")) << "no doubled separator";
    EXPECT_EQ(w->PnlHint->text(), QStringLiteral("当前文件：") + w->CurrentPicturePath);
    EXPECT_TRUE(w->ImgMain->picture().isBitmap());
    EXPECT_EQ(w->ImgMain->picture().image, picture);

    // A JPEG that does not decode goes to the desktop to open; the canvas keeps its picture.
    clickRow(1);
    EXPECT_EQ(w->ImgMain->picture().image, picture);
    EXPECT_EQ(fakes.shell.openedPaths, QStringList{folder + QStringLiteral("/2.jpg")});

    w->BitmapListBoxKeyDown(13);
    EXPECT_EQ(fakes.shell.openedPaths.size(), 2);
    EXPECT_EQ(fakes.shell.openedPaths.last(), folder + QStringLiteral("/2.jpg"));

    touch(QStringLiteral("3.bmp"));
    w->BitmapListBoxKeyDown(116);  // F5
    EXPECT_EQ(listed().size(), 3);
}

TEST_F(PictureListWindow, OnlyLocalPathsAndWebAddressesReachTheShell)
{
    touch(QStringLiteral("1.jpg"));
    w->ShellOpenTarget(folder + QStringLiteral("/1.jpg"));
    w->ShellOpenTarget(QStringLiteral("www.example.org/page"));
    w->ShellOpenTarget(QStringLiteral(" HTTPS://example.org/x "));
    for (const char *refused : {"javascript:alert(1)", "file:///etc/passwd", "smb://host/share",
                                "see http://example.org", "/no/such/file"})
        w->ShellOpenTarget(QString::fromLatin1(refused));
    EXPECT_EQ(fakes.shell.openedPaths, QStringList{folder + QStringLiteral("/1.jpg")});
    EXPECT_EQ(fakes.shell.openedUrls,
              (QStringList{"http://www.example.org/page", "HTTPS://example.org/x"}));
}

TEST_F(PictureListWindow, OpenedPicturesComeForwardAndFitAZoomedCanvas)
{
    QImage small(30, 20, QImage::Format_RGB32);
    small.fill(qRgb(10, 200, 30));
    QImage large(60, 50, QImage::Format_RGB32);
    large.fill(qRgb(200, 10, 30));
    touch(QStringLiteral("1.png"), EncodePng(small));
    touch(QStringLiteral("<b>x<i>.png"), EncodePng(large));
    openFolder(folder);

    // Loading into another control touches neither the canvas nor what covers it.
    ImageControl preview;
    w->WebBrowser1->show();
    w->WebBrowser1->raise();
    w->LoadPictureFile(&preview, folder + QStringLiteral("/1.png"));
    EXPECT_EQ(preview.picture().image, small);
    EXPECT_TRUE(w->WebBrowser1->isVisible());
    EXPECT_TRUE(w->ImgMain->picture().isEmpty());

    // A click shows the picture in front of the empty web view.
    clickRow(listed().indexOf(QStringLiteral("1.png")));
    const QObjectList stack = w->PnlPic->parentWidget()->children();
    EXPECT_GT(stack.indexOf(w->PnlPic), stack.indexOf(w->WebBrowser1)) << "the canvas is on top";
    EXPECT_EQ(w->ImgMain->size(), QSize(30, 20));

    // Zoomed, the canvas keeps its size and stretches the next picture into it. A name that
    // looks like markup is shown as typed.
    w->BtnZoomInClick();
    const QSize zoomed = w->ImgMain->size();
    ASSERT_NE(zoomed, QSize(30, 20));
    clickRow(listed().indexOf(QStringLiteral("<b>x<i>.png")));
    EXPECT_EQ(w->ImgMain->picture().image, large);
    EXPECT_EQ(w->ImgMain->size(), zoomed);
    EXPECT_TRUE(w->ImgMain->stretch());
    EXPECT_EQ(w->PnlHint->textFormat(), Qt::PlainText);
    EXPECT_TRUE(w->PnlHint->text().endsWith(QStringLiteral("<b>x<i>.png")));
    for (QLabel *label : {w->LbRollers, w->LbRollers2})
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
}
