#pragma once

#include "ocr/TextRecognizer.h"

#include <QRect>

namespace tesseract {
class TessBaseAPI;
}

namespace tiv {

// The recognition engine with the Simplified Chinese and English models. Loading the models takes
// a while and much memory, so one engine is loaded once and kept; it is used from one thread at a
// time.
class OcrEngine : public TextRecognizer {
public:
    static const char *const Languages;  // "chi_sim+eng"

    OcrEngine();
    ~OcrEngine() override;

    // The folder the engine reads its models from: $TESSDATA_PREFIX, else the distribution's.
    static QString ModelFolder();
    // The Debian package whose model is missing from `folder`, empty when both are there.
    static QString MissingModelPackage(const QString &folder);

    bool load(QString *error) override;
    bool loaded() const { return loaded_; }

    Result recognise(const QImage &region, const std::atomic_bool *cancel = nullptr) override;

private:
    // Reads the line in `box` of the image set on the Chinese-only engine; its mean confidence
    // goes to `confidence`.
    QString readLineAsChinese(const QImage &grey, const QRect &box, int *confidence);

    std::unique_ptr<tesseract::TessBaseAPI> api_;
    // Chinese alone: the mixed model now and then takes a Chinese line for garbled English, with
    // a low confidence; such lines of enlarged small text are read again with this one.
    std::unique_ptr<tesseract::TessBaseAPI> chinese_;
    bool loaded_ = false;
};

}  // namespace tiv
