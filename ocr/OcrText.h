#pragma once

#include <QString>

namespace tiv {

// Tidies the engine's text for the clipboard: no blanks between Chinese characters (or between one
// and Chinese punctuation), blanks at line ends dropped, the line breaks kept, empty lines at the
// start and end dropped, and runs of empty lines reduced to one.
QString TidyRecognisedText(const QString &text);

// The characters a reader would count: everything but white space.
int CountedCharacters(const QString &text);

}  // namespace tiv
