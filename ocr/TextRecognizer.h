#pragma once

#include <QImage>
#include <QString>

#include <atomic>
#include <memory>

namespace tiv {

// A recognition engine as the program sees it. The engine library brings some fifty libraries of
// its own (networking, archives, image formats) whose loading would slow every start of the
// program, a start that only hands a command to the running copy included; so the engine lives in
// a module (ocr/module/) that is loaded with the first request, on the recognition thread.
class TextRecognizer {
public:
    virtual ~TextRecognizer() = default;

    // Loads the models; false with the reason in `error` (for missing models, the package).
    virtual bool load(QString *error) = 0;

    struct Result {
        QString text;       // tidied: see TidyRecognisedText
        bool cancelled = false;
    };
    // Reads a screen region. `cancel` may be set from another thread to stop the engine early.
    virtual Result recognise(const QImage &region, const std::atomic_bool *cancel = nullptr) = 0;
};

// An engine from the recognition module; null, with the module's name in `error`, when the module
// cannot be loaded.
std::unique_ptr<TextRecognizer> NewTextRecognizer(QString *error);

}  // namespace tiv
