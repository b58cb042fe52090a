#include "ocr/OcrEngine.h"

// The one entry of the recognition module; the program finds it by name (ocr/TextRecognizerModule.cpp).
extern "C" Q_DECL_EXPORT tiv::TextRecognizer *tivNewTextRecognizer()
{
    return new tiv::OcrEngine;
}
