#include "ocr/OcrText.h"

#include <QStringList>

namespace tiv {

namespace {

bool IsCjk(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x3000 && u <= 0x303F)
           || (u >= 0xFF00 && u <= 0xFFEF) || (u >= 0xF900 && u <= 0xFAFF) || c.isSurrogate();
}

QString TidyLine(const QString &line)
{
    QString out;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c.isSpace()) {
            qsizetype next = i;
            while (next < line.size() && line[next].isSpace())
                ++next;
            // A blank between two Chinese characters is the engine's, never the text's.
            const bool between = !out.isEmpty() && next < line.size() && IsCjk(out.back()) && IsCjk(line[next]);
            if (!between && !out.isEmpty() && next < line.size())
                out += u' ';
            i = next - 1;
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace

QString TidyRecognisedText(const QString &text)
{
    QStringList lines;
    bool lastEmpty = true;
    for (const QString &raw : text.split(u'\n')) {
        const QString line = TidyLine(raw);
        if (line.isEmpty() && lastEmpty)
            continue;
        lines << line;
        lastEmpty = line.isEmpty();
    }
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

int CountedCharacters(const QString &text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate())
            continue;
        n += !text[i].isSpace();
    }
    return n;
}

}  // namespace tiv
