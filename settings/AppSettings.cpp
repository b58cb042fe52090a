#include "settings/AppSettings.h"

#include "settings/IniFile.h"

namespace tiv {

namespace {

const QString Default = QStringLiteral("default");
const QString Font = QStringLiteral("font");
const QString Hotkey = QStringLiteral("hotkey");

QString hotkeyKey(int id, int field)
{
    return QStringLiteral("hotkey%1_%2").arg(id).arg(field);
}

QString defaultPicPath(const QString &programDir)
{
    QString dir = programDir;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir + QStringLiteral("IMG");
}

void loadDefaultSection(const IniFile &ini, const QString &programDir, AppSettings &s)
{
    s.PicPath = ini.readString(Default, QStringLiteral("PicPath"), defaultPicPath(programDir)).trimmed();
    s.PicName = ini.readString(Default, QStringLiteral("PicName"), s.PicName);
    s.WatermarkText = ini.readString(Default, QStringLiteral("WatermarkText"), s.WatermarkText);
    s.WatermarkImgPath = ini.readString(Default, QStringLiteral("WatermarkImgPath"), s.WatermarkImgPath);
    s.WaterMarkTransparent = ini.readInteger(Default, QStringLiteral("WaterMarkTransparent"),
                                             s.WaterMarkTransparent);
    s.WatermarkType = ini.readInteger(Default, QStringLiteral("WatermarkType"), s.WatermarkType);
    const int format = ini.readInteger(Default, QStringLiteral("PicFormat"), s.PicFormat);
    s.PicFormat = format >= 0 && format < PicFormatCount ? format : -1;
    s.autoSaveToCB = ini.readBool(Default, QStringLiteral("autoSaveToCB"), s.autoSaveToCB);
    s.ContinueCut = ini.readBool(Default, QStringLiteral("ContinueCut"), s.ContinueCut);
    s.autoSaveToPath = ini.readBool(Default, QStringLiteral("autoSaveToPath"), s.autoSaveToPath);
    s.AutoSavePre = ini.readString(Default, QStringLiteral("AutoSavePre"), s.AutoSavePre);
    s.CurPicName = ini.readString(Default, QStringLiteral("CurPicName"), s.CurPicName);
}

void loadFontSection(const IniFile &ini, AppSettings &s)
{
    s.FontSize = ini.readInteger(Font, QStringLiteral("FontSize"), s.FontSize);
    s.FontCharset = ini.readInteger(Font, QStringLiteral("FontCharset"), s.FontCharset) & 0xFF;
    s.FontColor = ini.readInteger(Font, QStringLiteral("FontColor"), s.FontColor);
    s.FontName = ini.readString(Font, QStringLiteral("FontName"), s.FontName);
    s.FontBold = ini.readBool(Font, QStringLiteral("FontBold"), s.FontBold);
    s.FontItalic = ini.readBool(Font, QStringLiteral("FontItalic"), s.FontItalic);
    s.FontUnderline = ini.readBool(Font, QStringLiteral("FontUnderline"), s.FontUnderline);
    s.FontStrikeOut = ini.readBool(Font, QStringLiteral("FontStrikeOut"), s.FontStrikeOut);
}

void loadHotkeys(const IniFile &ini, HotkeyTable &table)
{
    for (int id = 1; id <= HotkeyCount; ++id) {
        HotkeyEntry &e = table[id - 1];
        e.Modifier1 = ini.readString(Hotkey, hotkeyKey(id, 1), QString());
        e.Modifier2 = ini.readString(Hotkey, hotkeyKey(id, 2), QString());
        e.Key = ini.readString(Hotkey, hotkeyKey(id, 3), QString());
    }
}

}  // namespace

AppSettings LoadSettings(const IniFile &ini, bool fileExisted, const QString &programDir)
{
    AppSettings s;
    loadDefaultSection(ini, programDir, s);
    loadFontSection(ini, s);
    if (fileExisted)
        loadHotkeys(ini, s.Hotkeys);
    else
        ResetHotkeyDefaults(s.Hotkeys);
    return s;
}

// The order of the writes decides the key order of a new file, which older files share.
void SaveSettings(const AppSettings &s, IniFile &ini)
{
    ini.writeString(Default, QStringLiteral("PicPath"), s.PicPath);
    ini.writeString(Default, QStringLiteral("PicName"), s.PicName);
    ini.writeString(Default, QStringLiteral("WatermarkText"), s.WatermarkText);
    ini.writeString(Default, QStringLiteral("WatermarkImgPath"), s.WatermarkImgPath);
    ini.writeInteger(Default, QStringLiteral("WaterMarkTransparent"), s.WaterMarkTransparent);
    ini.writeInteger(Default, QStringLiteral("WatermarkType"), s.WatermarkType);
    ini.writeInteger(Default, QStringLiteral("PicFormat"), s.PicFormat);
    ini.writeBool(Default, QStringLiteral("autoSaveToCB"), s.autoSaveToCB);
    ini.writeBool(Default, QStringLiteral("autoSaveToPath"), s.autoSaveToPath);
    ini.writeBool(Default, QStringLiteral("ContinueCut"), s.ContinueCut);
    ini.writeString(Default, QStringLiteral("AutoSavePre"), s.AutoSavePre.trimmed());
    ini.writeInteger(Font, QStringLiteral("FontSize"), s.FontSize);
    ini.writeInteger(Font, QStringLiteral("FontCharset"), s.FontCharset);
    ini.writeInteger(Font, QStringLiteral("FontColor"), s.FontColor);
    ini.writeString(Font, QStringLiteral("FontName"), s.FontName);
    ini.writeString(Default, QStringLiteral("CurPicName"), s.CurPicName);
    ini.writeBool(Font, QStringLiteral("FontBold"), s.FontBold);
    ini.writeBool(Font, QStringLiteral("FontItalic"), s.FontItalic);
    // Read as "FontUnderline"; the names differ only in case, which the file ignores.
    ini.writeBool(Font, QStringLiteral("FontUnderLine"), s.FontUnderline);
    ini.writeBool(Font, QStringLiteral("FontStrikeOut"), s.FontStrikeOut);
    for (int id = 1; id <= HotkeyCount; ++id) {
        const HotkeyEntry &e = s.Hotkeys[id - 1];
        ini.writeString(Hotkey, hotkeyKey(id, 1), e.Modifier1);
        ini.writeString(Hotkey, hotkeyKey(id, 2), e.Modifier2);
        ini.writeString(Hotkey, hotkeyKey(id, 3), e.Key);
    }
}

QColor ColorFromStored(int bgr)
{
    const unsigned v = unsigned(bgr);
    return QColor(int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF));
}

int StoredFromColor(const QColor &color)
{
    return color.red() | color.green() << 8 | color.blue() << 16;
}

}  // namespace tiv
