#include "app/TFrmMain.h"

#include "common/CatchAll.h"
#include "settings/AppSettings.h"
#include "settings/IniFile.h"
#include "settings/SettingsLocation.h"
#include "text/InterfaceText.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tiv {

void TFrmMain::LoadSettings()
{
    const QString path = SettingsPath.isEmpty() ? SettingsFilePath() : SettingsPath;
    SettingsFile = std::make_unique<IniFile>(path);
    // A file that cannot be read gives what a first start gives (the hotkeys too) and is left as
    // it is at exit; the user is told, since nothing chosen now will be kept.
    const bool existed = QFileInfo::exists(path) && !SettingsFile->unreadable();
    if (SettingsFile->unreadable())
        PnlHint->setText(FormatText(TxtSettingsUnreadable, {path}));
    const AppSettings s = tiv::LoadSettings(*SettingsFile, existed, QCoreApplication::applicationDirPath());

    EdtPicPath->setText(s.PicPath.trimmed());
    PictureDialogFolder = s.PicPath.trimmed();
    EdtPicName->setText(s.PicName);
    WatermarkText = s.WatermarkText;
    WatermarkImgPath = s.WatermarkImgPath;
    WaterMarkTransparent = s.WaterMarkTransparent;
    WatermarkType = s.WatermarkType;
    CbPicFomat->setCurrentIndex(s.PicFormat >= 0 && s.PicFormat < CbPicFomat->count() ? s.PicFormat : -1);
    BtnSaveToCB->setChecked(s.autoSaveToCB);
    BtnContinueCut->setChecked(s.ContinueCut);
    ShowContinuousGlyph();
    BtnAutoSaveToPath->setChecked(s.autoSaveToPath);
    EdtAutoSavePre->setText(s.AutoSavePre);

    QFont font(s.FontName);
    font.setPointSize(s.FontSize > 0 ? s.FontSize : 11);
    font.setBold(s.FontBold);
    font.setItalic(s.FontItalic);
    font.setUnderline(s.FontUnderline);
    font.setStrikeOut(s.FontStrikeOut);
    FontCharset = s.FontCharset & 0xff;
    setTextFont(font, ColorFromStored(s.FontColor));

    CurrentPicturePath = s.CurPicName;
    Hotkeys = s.Hotkeys;
    // Exit reads the file afresh, so its text need not be held for the whole run.
    SettingsFile = std::make_unique<IniFile>(IniFile::fromBytes({}, path));
}

void TFrmMain::SaveSettings()
{
    if (!SettingsFile)
        return;
    // The file as it is now, not as it was at start: what the user or another copy of the program
    // added meanwhile stays, and only the program's own keys change.
    const QString path = SettingsFile->path();
    SettingsFile.reset();
    SettingsFile = std::make_unique<IniFile>(path);
    AppSettings s;
    s.PicPath = EdtPicPath->text();
    s.PicName = EdtPicName->text();
    s.WatermarkText = WatermarkText;
    s.WatermarkImgPath = WatermarkImgPath;
    s.WaterMarkTransparent = WaterMarkTransparent;
    s.WatermarkType = WatermarkType;
    s.PicFormat = CbPicFomat->currentIndex();
    s.autoSaveToCB = AutoClipboard();
    s.autoSaveToPath = AutoSaveToFolder();
    s.ContinueCut = ContinuousCapture();
    s.AutoSavePre = EdtAutoSavePre->text();
    const QFont font = MemoText->font();
    s.FontSize = font.pointSize();
    s.FontCharset = FontCharset;
    s.FontColor = StoredFromColor(TextColor);
    s.FontName = font.family();
    s.CurPicName = CurrentPicturePath;
    s.FontBold = font.bold();
    s.FontItalic = font.italic();
    s.FontUnderline = font.underline();
    s.FontStrikeOut = font.strikeOut();
    s.Hotkeys = Hotkeys;
    tiv::SaveSettings(s, *SettingsFile);
    SettingsFile->save();
}

void TFrmMain::setTextFont(const QFont &font, const QColor &color)
{
    MemoText->setFont(font);
    TextColor = color;
    QPalette p = MemoText->palette();
    p.setColor(QPalette::Text, color);
    MemoText->setPalette(p);
}

}  // namespace tiv
