#include "ocr/TextRecognizer.h"

#include "common/ModuleSymbol.h"

namespace tiv {

namespace {

using Factory = TextRecognizer *(*)();

Factory loadFactory()
{
    return reinterpret_cast<Factory>(
        ModuleSymbol("tivocr.so", TIV_OCR_MODULE_FROM_BIN, TIV_OCR_MODULE_BUILD_PATH, "tivNewTextRecognizer"));
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
