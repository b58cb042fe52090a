#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <random>

using tiv::IniFile;

TEST(IniFile, ReadsByProfileRules)
{
    const IniFile ini = IniFile::fromBytes(
        "top=1\n[Default]\n  PicName =  My Pics  \n;Commented=5\neq=a=b\nempty=\n"
        "hex=0x0000FF\ndollar=$ff\nneg=-5\nbareHex=0x\njunk=12abc\nbig=2147483648\nword=yes\n"
        "bareX=x10\nbigX=X10\nnegX=-x10\nupperHex=0XfF\n"
        "long=" + QByteArray(3000, 'v') + "\n[other]\nhex=7\n[default]\nlate=1\n");
    const struct {
        const char *key, *value;
    } strings[] = {{"picname", "My Pics"}, {"eq", "a=b"}, {"empty", ""}, {"missing", "?"},
                   {"top", "?"},           {";Commented", "?"}, {"late", "?"}};
    for (const auto &c : strings)
        EXPECT_EQ(ini.readString("DEFAULT", c.key, "?"), c.value) << c.key;
    EXPECT_EQ(ini.readString("default", "long", {}).size(), IniFile::MaxValueLength);

    const struct {
        const char *key;
        int value;
    } integers[] = {{"hex", 255}, {"dollar", 255}, {"neg", -5}, {"bareHex", 99}, {"junk", 99},
                    {"big", 99},  {"empty", 99},   {"word", 99}, {"missing", 99},
                    {"bareX", 99}, {"bigX", 99},  {"negX", 99}, {"upperHex", 255}};
    for (const auto &c : integers)
        EXPECT_EQ(ini.readInteger("default", c.key, 99), c.value) << c.key;
    EXPECT_EQ(ini.readInteger("other", "hex", 99), 7);
    EXPECT_TRUE(ini.readBool("default", "neg", false));
    EXPECT_TRUE(ini.readBool("default", "word", true));
    EXPECT_FALSE(ini.readBool("default", "word", false));
}

TEST(IniFile, UpdateKeepsEveryOtherLineInPlace)
{
    IniFile ini = IniFile::fromBytes("; note\n[default]\nPICNAME=old\nUnknown=keep me\n\n; font next\n"
                                     "[font]\nFontSize=9\n");
    ini.writeString("default", "PicName", "new");
    ini.writeString("Default", "AutoSavePre", "x");
    ini.writeInteger("font", "FontColor", 255);
    ini.writeBool("hotkey", "hotkey1_1", true);
    ini.writeString("hotkey", "hotkey1_2", "a\r\n[default]\nPicName=Z");
    EXPECT_EQ(ini.text(), "; note\n[default]\nPicName=new\nUnknown=keep me\nAutoSavePre=x\n\n; font next\n"
                          "[font]\nFontSize=9\nFontColor=255\n"
                          "[hotkey]\nhotkey1_1=1\nhotkey1_2=a  [default] PicName=Z\n")
        << qPrintable(ini.text());

    IniFile windows = IniFile::fromBytes("[a]\r\nk=1\r\n");
    windows.writeString("a", "j", "2");
    EXPECT_EQ(windows.text(), "[a]\r\nk=1\r\nj=2\r\n");
}

TEST(IniFile, ReadsUtf8Gb18030TruncatedAndBinaryFiles)
{
    EXPECT_EQ(IniFile::fromBytes("\xEF\xBB\xBF[font]\nFontName=宋体\n").readString("font", "FontName", {}),
              "宋体");
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid()) << "Qt lacks the GB18030 codec";
    const QByteArray legacy = gb18030(QStringLiteral("[font]\nFontName=宋体\n"));
    EXPECT_EQ(IniFile::fromBytes(legacy).readString("font", "FontName", {}), "宋体");
    const IniFile marked = IniFile::fromBytes("\x84\x31\x95\x33" + legacy);
    EXPECT_EQ(marked.readString("font", "FontName", {}), "宋体");
    EXPECT_TRUE(marked.text().startsWith("[font]"));

    // Cut inside the last character: still read as UTF-8, only that character is lost.
    const QByteArray whole = "[font]\nFontSize=12\nFontName=宋体";
    const IniFile cut = IniFile::fromBytes(whole.left(whole.size() - 1));
    EXPECT_EQ(cut.readInteger("font", "FontSize", 11), 12);
    EXPECT_EQ(cut.readString("font", "FontName", {}), "宋");

    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        QByteArray noise(4096, '\0');
        for (char &c : noise)
            c = char(random());
        EXPECT_EQ(IniFile::fromBytes(noise).readInteger("font", "FontSize", 11), 11);
    }
}

TEST(IniFile, SavesUtf8ByReplacingTheWholeFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("config/TIVrevudu/defualt.ini");
    IniFile ini(path);
    ini.writeString("font", "FontName", "宋体");
    ASSERT_TRUE(ini.save()) << "the missing folders are made";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[font]\nFontName=宋体\n"));
    EXPECT_EQ(QDir(dir.filePath("config/TIVrevudu")).entryList(QDir::Files), QStringList{"defualt.ini"});

    ASSERT_TRUE(QDir().mkpath(dir.filePath("blocked.ini")));
    EXPECT_FALSE(IniFile::fromBytes("[a]\nb=1\n", dir.filePath("blocked.ini")).save());
    EXPECT_FALSE(IniFile().save());
}

TEST(IniFile, SaveKeepsEveryLineEndAndEveryOtherByte)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("defualt.ini");
    const auto saved = [&](const QByteArray &before, auto &&edit) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(before);
        file.close();
        IniFile ini(path);
        edit(ini);
        EXPECT_TRUE(ini.save());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };
    EXPECT_EQ(saved("[default]\r\nPicName=a\nX=1\r\r\n[font]\r\n", [](IniFile &ini) {
                  ini.writeString("default", "PicName", "b");
                  ini.writeInteger("font", "FontSize", 9);
              }),
              "[default]\r\nPicName=b\nX=1\r\r\n[font]\r\nFontSize=9\r\n");
    EXPECT_EQ(saved("[a]\nk=1", [](IniFile &ini) {
                  ini.writeString("a", "j", "2");
                  ini.writeString("b", "m", "3");
              }),
              "[a]\nk=1\nj=2\n[b]\nm=3\n");
    EXPECT_EQ(saved("[a]\rk=1\r", [](IniFile &ini) {
                  EXPECT_EQ(ini.readString("a", "k", {}), "1");
                  ini.writeString("a", "j", "2");
              }),
              "[a]\rk=1\rj=2\r");

    // Bytes that are no text, a lone CR first: only the written key's line is new.
    std::mt19937 random(3);
    QByteArray noise = "\r";
    while (noise.size() < 1 << 16)
        noise += char(random());
    const QByteArray binary = saved(noise, [](IniFile &ini) { ini.writeString("default", "PicName", "宋体"); });
    EXPECT_TRUE(binary.startsWith(noise));
    EXPECT_EQ(binary.mid(noise.size()), noise.count('\n') > noise.count('\r') ? "\n[default]\nPicName=宋体\n"
                                                                                 : "\r[default]\rPicName=宋体\r");

    // A file from Windows in GB18030 stays GB18030: an unchanged value keeps its bytes, blanks
    // included, and a changed or new one is written in GB18030 too.
    QStringEncoder gb18030("GB18030");
    const QByteArray legacy = gb18030(QStringLiteral("[font]\r\nFontName = 宋体\r\n说明=旧\r\n"));
    EXPECT_EQ(saved(legacy, [](IniFile &ini) { ini.writeString("font", "fontname", "宋体"); }), legacy);
    const QByteArray merged = saved(legacy, [](IniFile &ini) {
        ini.writeString("font", "FontName", "黑体");
        ini.writeString("新", "说明", "新值");
    });
    EXPECT_EQ(merged, gb18030(QStringLiteral("[font]\r\nFontName=黑体\r\n说明=旧\r\n[新]\r\n说明=新值\r\n")));
    const IniFile reread(path);
    EXPECT_EQ(reread.readString("font", "FontName", {}), "黑体");
}

TEST(IniFile, Utf16IsWrittenBackInUtf16AndWhatCannotBeIsLeftAlone)
{
    const QString before = QStringLiteral("[default]\r\nPicPath = /图片/𝄞\r\nPicName=PIC\r\n");
    const QString after = QStringLiteral("[default]\r\nPicPath = /图片/𝄞\r\nPicName=截图\r\n[新]\r\nk=值\r\n");
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding);
        const QByteArray mark = encoding == QStringConverter::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
        IniFile ini = IniFile::fromBytes(mark + QByteArray(encode(before)));
        EXPECT_EQ(ini.readString("default", "PicPath", {}), QStringLiteral("/图片/𝄞"));
        ini.writeString("default", "PicPath", QStringLiteral("/图片/𝄞"));
        ini.writeString("default", "PicName", QStringLiteral("截图"));
        ini.writeString("新", "k", QStringLiteral("值"));
        EXPECT_EQ(ini.bytes(), mark + QByteArray(encode(after))) << int(encoding);
    }

    // UTF-32, an odd byte count and a lone surrogate cannot be written back as they were.
    QTemporaryDir dir;
    for (const QByteArray &bytes : {QByteArray("\xFF\xFE\0\0[\0\0\0", 8), QByteArray("\xFF\xFE[\0a", 5),
                                    QByteArray("\xFE\xFF\xD8\x00\0a", 6)}) {
        const IniFile ini = IniFile::fromBytes(bytes, dir.filePath("defualt.ini"));
        EXPECT_TRUE(ini.unreadable());
        EXPECT_FALSE(ini.save());
    }
}
