#include "support/FileSizeLimit.h"
#include "support/MainWindowFixture.h"

#include "codecs/BmpCodec.h"
#include "files/LoadPictureFile.h"
#include "files/TFrmReName.h"
#include "text/InterfaceText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>

#include <memory>

using namespace tiv;

namespace {

struct SaveTargets : ShownWindowWithFolder {
    QString file(const QString &name) const { return folder + u'/' + name; }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writeBmp(const QString &name, int seed) { write(file(name), EncodeBmp(pattern(16, 12, seed))); }
    void listFolder()
    {
        w->EdtPicPath->setText(folder);
        w->EdtPicPathExit();
    }
    void click(const QString &name)
    {
        const int row = int(w->BitmapListModel->stringList().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        w->BitmapListBox->setCurrentIndex(w->BitmapListModel->index(row));
        w->BitmapListBoxClick();
    }
    // As the user types it: selectFile leaves a file highlighted at the last use selected.
    static void type(QFileDialog *dialog, const QString &name)
    {
        auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(field);
        field->setText(name);
        static_cast<QDialog *>(dialog)->accept();
    }
    // Answers the next file dialog with a typed name (or cancels it) and says whether one came up.
    bool typeIntoFileDialog(const QString &typed, const std::function<void()> &command)
    {
        auto shown = std::make_shared<bool>(false);
        onNextModal([typed, shown](QWidget *m) {
            auto *dialog = qobject_cast<QFileDialog *>(m);
            if (!dialog)
                return;
            *shown = true;
            if (typed.isEmpty()) {
                dialog->reject();
                return;
            }
            type(dialog, typed);
        });
        command();
        // With no dialog up the answer would wait for some later window: let it go now.
        QApplication::processEvents();
        return *shown;
    }
    // Answers the file dialogs to come with these names in turn.
    void answerFileDialogs(const QStringList &names)
    {
        auto left = std::make_shared<QStringList>(names);
        auto *poll = new QTimer(w.get());
        QObject::connect(poll, &QTimer::timeout, poll, [left] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible() && !left->isEmpty())
                type(dialog, left->takeFirst());
        });
        poll->start(5);
    }
    // Clicks "Yes" on the next question instead of letting the fixture answer it.
    void answerYes()
    {
        boxCloser.stop();
        auto *poll = new QTimer(w.get());
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->button(QMessageBox::Yes)) {
                messages << box->text();
                poll->stop();
                poll->deleteLater();
                box->button(QMessageBox::Yes)->click();
                boxCloser.start();
            }
        });
        poll->start(5);
    }
};

}  // namespace

TEST_F(SaveTargets, SaveWritesOnlyTheFileTheCanvasCameFrom)
{
    writeBmp(QStringLiteral("2.bmp"), 1);
    write(file(QStringLiteral("panorama.png")), "a picture the canvas refuses");
    const QString other = home.filePath(QStringLiteral("x.bmp"));
    write(other, EncodeBmp(pattern(16, 12, 9)));
    listFolder();

    // Opened from elsewhere after a list click: the opened file is the one written.
    click(QStringLiteral("2.bmp"));
    typeIntoFileDialog(other, [this] { w->Load1Click(); });
    EXPECT_EQ(w->PnlHint->text(), FormatText(TxtCurrentFile, {other}));
    w->BtnSavePicClick();
    EXPECT_EQ(w->PnlHint->text(), FormatText(TxtSavedPicture, {other}));
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("2.bmp"))).image, pattern(16, 12, 1));
    EXPECT_EQ(LoadPictureFile(other).image, pattern(16, 12, 9));

    // A list file the canvas could not read leaves the canvas with 2.bmp, and so does the save.
    click(QStringLiteral("2.bmp"));
    click(QStringLiteral("panorama.png"));
    w->BtnSavePicClick();
    EXPECT_EQ(read(file(QStringLiteral("panorama.png"))), "a picture the canvas refuses");
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("2.bmp"))).image, pattern(16, 12, 1));

    // A capture that could not be saved belongs to no file: the save asks where it goes, and the
    // next save goes to the file that one wrote.
    w->CaptureFullScreen();
    const QString captured = w->CurrentPicturePath;
    const QByteArray firstCapture = read(captured);
    w->CbPicFomat->setCurrentIndex(-1);
    fakes.screen.desktop = pattern(64, 48, 77);
    w->CaptureFullScreen();
    EXPECT_TRUE(typeIntoFileDialog(file(QStringLiteral("kept.bmp")), [this] { w->BtnSavePicClick(); }));
    EXPECT_EQ(read(captured), firstCapture);
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("kept.bmp"))).image, fakes.screen.desktop);
    QFile::remove(file(QStringLiteral("kept.bmp")));
    EXPECT_FALSE(typeIntoFileDialog(QString(), [this] { w->BtnSavePicClick(); }));
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("kept.bmp"))));
}

TEST_F(SaveTargets, SaveAsAsksAboutTheFileItWillWrite)
{
    writeBmp(QStringLiteral("1.bmp"), 1);
    write(file(QStringLiteral("7.png")), "older seven");
    listFolder();
    click(QStringLiteral("1.bmp"));

    // The typed "7.PNG" is written as 7.png, so the question names 7.png; the fixture says no,
    // and the dialog comes back for another name.
    answerFileDialogs({QStringLiteral("7.PNG"), QStringLiteral("6.png")});
    w->BtnSPSaveImgClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.last().contains(file(QStringLiteral("7.png")))) << messages.last().toStdString();
    EXPECT_EQ(read(file(QStringLiteral("7.png"))), "older seven");
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("6.png"))).image, pattern(16, 12, 1));

    answerYes();
    typeIntoFileDialog(QStringLiteral("7.PNG"), [this] { w->BtnSPSaveImgClick(); });
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("7.png"))).image, pattern(16, 12, 1));

    // Nothing there: nothing to ask.
    typeIntoFileDialog(QStringLiteral("8.PNG"), [this] { w->BtnSPSaveImgClick(); });
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("8.png"))).image, pattern(16, 12, 1));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("7.PNG"))));
}

TEST_F(SaveTargets, AFailedExplicitSaveIsSaid)
{
    // Noise, so the JPEG is far larger than the room left on the "disk".
    QImage noise(120, 90, QImage::Format_RGB32);
    QRandomGenerator random(3);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.generate() | 0xff000000u);
    ASSERT_TRUE(noise.save(file(QStringLiteral("1.jpg")), "JPEG", 100));
    const QByteArray old = read(file(QStringLiteral("1.jpg")));
    listFolder();
    click(QStringLiteral("1.jpg"));
    w->WatermarkType = 0;
    w->WatermarkText = QStringLiteral("mark");
    {
        const FileSizeLimit full(4096);
        w->BtnSavePicClick();
        typeIntoFileDialog(file(QStringLiteral("9.png")), [this] { w->BtnSPSaveImgClick(); });
        w->BtnAddWatermarkClick();
    }
    const auto failed = [this](const char *name) { return FormatText(TxtSaveFailedDiskFull, {file(QString::fromUtf8(name))}); };
    EXPECT_EQ(messages, (QStringList{failed("1.jpg"), failed("9.png"), failed("1.jpg")}));
    EXPECT_EQ(w->PnlHint->text(), failed("1.jpg"));
    EXPECT_EQ(read(file(QStringLiteral("1.jpg"))), old);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("9.png"))));
}

TEST_F(SaveTargets, CapturesNeverReplaceAPicture)
{
    listFolder();
    w->CbPicFomat->setCurrentIndex(w->CbPicFomat->findText(QStringLiteral(".bmp")));
    w->EdtAutoSavePre->setText(QStringLiteral("1"));
    w->CaptureFullScreen();
    fakes.screen.desktop = pattern(64, 48, 5);
    w->CaptureFullScreen();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"11.bmp", "12.bmp"}));
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("11.bmp"))).image, pattern(64, 48));
    EXPECT_EQ(LoadPictureFile(file(QStringLiteral("12.bmp"))).image, pattern(64, 48, 5));
    EXPECT_EQ(w->PnlHint->text(), FormatText(TxtAutoSavedPicture, {file(QStringLiteral("12.bmp"))}));
}

TEST_F(SaveTargets, RenameAndDeleteTakeTheCurrentPictureAlong)
{
    writeBmp(QStringLiteral("3.bmp"), 3);
    writeBmp(QStringLiteral("4.bmp"), 4);
    listFolder();
    click(QStringLiteral("3.bmp"));

    onNextModal([](QWidget *m) {
        auto *dialog = qobject_cast<TFrmReName *>(m);
        ASSERT_TRUE(dialog);
        dialog->EdtName->setText(QStringLiteral("5.bmp"));
        dialog->BtnConfirm->click();
    });
    w->MnRenamePicClick();
    EXPECT_EQ(w->CurrentPicturePath, file(QStringLiteral("5.bmp")));
    w->BtnSavePicClick();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"4.bmp", "5.bmp"}));

    // Deleted: the canvas keeps the picture, and saving it asks for a name.
    w->BitmapListBox->selectionModel()->select(w->BitmapListModel->index(1), QItemSelectionModel::ClearAndSelect);
    w->MnDeletePicClick();
    EXPECT_TRUE(w->CurrentPicturePath.isEmpty());
    EXPECT_EQ(w->ImgMain->picture().image, pattern(16, 12, 3));
    EXPECT_TRUE(typeIntoFileDialog(QString(), [this] { w->BtnSavePicClick(); }));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), QStringList{"4.bmp"});
}
