#include "ocr/TextRecognizer.h"

#include <QCoreApplication>
#include <QLibrary>

namespace tiv {

namespace {

using Factory = TextRecognizer *(*)();

// The module beside the program (a build), else where an install puts it, else where this build
// made it (the tests, which run from folders of their own).
Factory loadFactory()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString places[] = {programFolder + QStringLiteral("/tivocr.so"),
                              programFolder + QStringLiteral("/" TIV_OCR_MODULE_FROM_BIN),
                              QStringLiteral(TIV_OCR_MODULE_BUILD_PATH)};
    for (const QString &place : places) {
        QLibrary module(place);
        if (auto factory = reinterpret_cast<Factory>(module.resolve("tivNewTextRecognizer")))
            return factory;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<TextRecognizer> NewTextRecognizer(QString *error)
{
    static const Factory factory = loadFactory();
    if (!factory) {
        if (error)
            *error = QStringLiteral("tivocr.so");
        return nullptr;
    }
    return std::unique_ptr<TextRecognizer>(factory());
}

}  // namespace tiv
