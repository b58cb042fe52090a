#include "FuzzCheck.h"
#include "settings/IniFile.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

// Section and key names the program could use: letters and digits only.
QString Name(QStringView raw)
{
    QString name;
    for (const QChar c : raw) {
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            name += c;
    }
    return name.isEmpty() ? QStringLiteral("k") : name.left(16);
}

}  // namespace

// The input is a settings file, then after a zero byte lines of "section/key/value" to write into
// it. Whatever the file held, the saved bytes read back every written value as written (line breaks
// as blanks, surrounding blanks trimmed), and reading never crashes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    tiv::IniFile ini = tiv::IniFile::fromBytes(split < 0 ? input : input.left(split));
    ini.readInteger(QStringLiteral("default"), QStringLiteral("PicFormat"), 0);
    if (split < 0)
        return 0;
    struct Write {
        QString section, key, value;
    };
    QList<Write> writes;
    const QStringList lines = QString::fromUtf8(input.mid(split + 1)).split(u'\n');
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'/');
        if (parts.size() < 3 || writes.size() >= 8)
            continue;
        Write w{Name(parts[0]), Name(parts[1]), parts.mid(2).join(u'/')};
        if (w.value.size() > tiv::IniFile::MaxValueLength) {
            w.value.truncate(tiv::IniFile::MaxValueLength);
            if (w.value.back().isHighSurrogate())
                w.value.chop(1);
        }
        ini.writeString(w.section, w.key, w.value);
        writes.removeIf([&](const Write &old) {
            return old.section.compare(w.section, Qt::CaseInsensitive) == 0 && old.key.compare(w.key, Qt::CaseInsensitive) == 0;
        });
        writes << w;
    }
    const tiv::IniFile reloaded = tiv::IniFile::fromBytes(ini.bytes());
    for (const Write &w : writes) {
        QString expected = w.value;
        expected.replace(u'\r', u' ').replace(u'\n', u' ');
        FUZZ_CHECK(reloaded.readString(w.section, w.key, QStringLiteral("\x01missing")) == expected.trimmed());
    }
    return 0;
}
