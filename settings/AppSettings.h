#pragma once

#include "capture/HotkeyTable.h"

#include <QColor>
#include <QString>

namespace tiv {

class IniFile;

// Every value of the settings file, named after its key. The defaults are those of a first start
// (no settings file); LoadSettings fills in PicPath, which depends on the program's folder.
struct AppSettings {
    // Section "default".
    QString PicPath;
    QString PicName = QStringLiteral("PIC");
    QString WatermarkText;
    QString WatermarkImgPath;
    int WaterMarkTransparent = 8;
    int WatermarkType = 2;
    // Index into the format box (0 ".jpg" … 6 ".png"); -1 when nothing is selected.
    int PicFormat = 0;
    bool autoSaveToCB = true;
    bool ContinueCut = false;
    bool autoSaveToPath = false;
    QString AutoSavePre;
    QString CurPicName;

    // Section "font": the text box font, also the style of text drawn on pictures.
    int FontSize = 11;
    int FontCharset = 134;  // GB2312
    int FontColor = 255;    // 0x00BBGGRR
    QString FontName = QStringLiteral("宋体");
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikeOut = false;

    // Section "hotkey".
    HotkeyTable Hotkeys = DefaultHotkeyTable();

    bool operator==(const AppSettings &) const = default;
};

constexpr int PicFormatCount = 7;

// `fileExisted` tells whether the file was there before it was opened: only a missing file gives
// the default hotkeys; in an existing file every missing hotkey text reads as empty.
AppSettings LoadSettings(const IniFile &ini, bool fileExisted, const QString &programDir);
// Updates the keys in `ini`; the caller saves it.
void SaveSettings(const AppSettings &settings, IniFile &ini);

// Colours are stored as 0x00BBGGRR.
QColor ColorFromStored(int bgr);
int StoredFromColor(const QColor &color);

}  // namespace tiv
