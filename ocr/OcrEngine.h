#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <atomic>
#include <memory>

namespace tesseract {
class TessBaseAPI;
}

namespace tiv {

// The recognition engine with the Simplified Chinese and English models, linked in. Loading the
// models takes a while and much memory, so one engine is loaded once and kept; it is used from one
// thread at a time.
class OcrEngine {
public:
    static const char *const Languages;  // "chi_sim+eng"

    OcrEngine();
    ~OcrEngine();

    // The folder the engine reads its models from: $TESSDATA_PREFIX, else the distribution's.
    static QString ModelFolder();
    // The Debian package whose model is missing from `folder`, empty when both are there.
    static QString MissingModelPackage(const QString &folder);

    // Loads the models; false with the reason in `error` (for missing models, the package).
    bool load(QString *error);
    bool loaded() const { return loaded_; }

    struct Result {
        QString text;       // tidied: see TidyRecognisedText
        bool cancelled = false;
    };
    // Reads a screen region. `cancel` may be set from another thread to stop the engine early.
    Result recognise(const QImage &region, const std::atomic_bool *cancel = nullptr);

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
