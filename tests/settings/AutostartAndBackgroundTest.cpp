#include "support/MainWindowFixture.h"

#include "platform/x11/DesktopServices.h"
#include "settings/TFrmBackgroundSet.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>

using namespace tiv;

namespace {

struct StartupCleanup : MainWindowFixture {
    x11::XdgAutostart autostart;
    QString autostartFolder() const { return home.filePath(QStringLiteral("config/autostart")); }
    void startWithRealAutostart()
    {
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
        Platform services = fakes.services();
        services.startup = &autostart;
        w = std::make_unique<TFrmMain>(services, settingsPath());
        qunsetenv("XDG_CONFIG_HOME");
    }
    void withBackgroundDialog(std::function<void(TFrmBackgroundSet *)> act)
    {
        onNextModal([act](QWidget *m) {
            auto *dialog = qobject_cast<TFrmBackgroundSet *>(m);
            ASSERT_TRUE(dialog);
            act(dialog);
        });
        w->MnBackgroundSet->trigger();
    }
};

}  // namespace

TEST_F(StartupCleanup, StartRemovesOnlyTheOldAutostartEntries)
{
    EXPECT_EQ(fakes.startup.removed, (QStringList{"TIVrevudu", "TIVTivrevudu", "TIVrevudu1.2",
                                                  "TIVrevudu1.1", "TIVrevudu"}));

    QDir().mkpath(autostartFolder());
    for (const char *name : {"TIVrevudu1.1.desktop", "other.desktop", ".desktop", "TIVrevudu1.1"})
        QFile(autostartFolder() + u'/' + QLatin1String(name)).open(QIODevice::WriteOnly);
    startWithRealAutostart();
    EXPECT_EQ(QDir(autostartFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{".desktop", "TIVrevudu1.1", "other.desktop"}));
    EXPECT_FALSE(autostart.removeEntry(QString())) << "an empty name touches no file";

    QDir(home.filePath(QStringLiteral("config"))).removeRecursively();
    startWithRealAutostart();
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("config")))) << "no folder is made";
}

TEST_F(StartupCleanup, BackgroundChoiceIsStoredOnlyByConfirm)
{
    withBackgroundDialog([](TFrmBackgroundSet *d) {
        EXPECT_TRUE(d->LbBGStyle->selectedItems().isEmpty());
        d->BtnConfirm->click();
        EXPECT_EQ(d->LbBGStyle->selectedItems().value(0), d->LbBGStyle->item(0));
        EXPECT_EQ(d->LbTextBorder->selectedItems().value(0), d->LbTextBorder->item(0));
    });
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundStyle, 0);
    EXPECT_EQ(w->TextBackgroundChoice.TextBorderStyle, 0);

    withBackgroundDialog([](TFrmBackgroundSet *d) {
        d->LbBGStyle->setCurrentRow(2);
        d->LbTextBorder->setCurrentRow(1);
        TFrmBackgroundSet::setColour(d->CbBgColor, Qt::red);
        d->BtnClose->click();
    });
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundStyle, 0) << "close stores nothing";
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundColor, QColor(Qt::black));

    withBackgroundDialog([](TFrmBackgroundSet *d) {
        EXPECT_EQ(d->LbBGStyle->currentRow(), 2) << "the dialog shows what was left in it";
        d->BtnConfirm->click();
    });
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundStyle, 2);
    EXPECT_EQ(w->TextBackgroundChoice.TextBorderStyle, 1);
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundColor, QColor(Qt::red));

    withBackgroundDialog([](TFrmBackgroundSet *d) {
        d->BtnDefaultSet->click();
        EXPECT_TRUE(d->isVisible());
        d->BtnConfirm->click();
    });
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundStyle, 0);
    EXPECT_EQ(w->TextBackgroundChoice.TextBackgroundColor, QColor(Qt::white));
    EXPECT_EQ(w->TextBackgroundChoice.TextBorderColor, QColor(Qt::black));
}
