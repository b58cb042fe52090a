#include "ocr/OcrEngine.h"

#include "ocr/OcrPrepare.h"
#include "ocr/OcrText.h"

#include <QDir>
#include <QFileInfo>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <omp.h>

#include <clocale>

namespace tiv {

const char *const OcrEngine::Languages = "chi_sim+eng";

OcrEngine::OcrEngine() = default;

OcrEngine::~OcrEngine()
{
    if (api_)
        api_->End();
    if (chinese_)
        chinese_->End();
}

QString OcrEngine::ModelFolder()
{
    const QString prefix = qEnvironmentVariable("TESSDATA_PREFIX");
    if (!prefix.isEmpty())
        return prefix;
    for (const char *folder : {"/usr/share/tesseract-ocr/5/tessdata", "/usr/share/tesseract-ocr/4.00/tessdata",
                               "/usr/share/tessdata"}) {
        if (QFileInfo(QString::fromLatin1(folder)).isDir())
            return QString::fromLatin1(folder);
    }
    return QStringLiteral("/usr/share/tesseract-ocr/5/tessdata");
}

QString OcrEngine::MissingModelPackage(const QString &folder)
{
    const QDir dir(folder);
    QStringList missing;
    if (!dir.exists(QStringLiteral("chi_sim.traineddata")))
        missing << QStringLiteral("tesseract-ocr-chi-sim");
    if (!dir.exists(QStringLiteral("eng.traineddata")))
        missing << QStringLiteral("tesseract-ocr-eng");
    return missing.join(QLatin1Char(' '));
}

bool OcrEngine::load(QString *error)
{
    if (loaded_)
        return true;
    const QString folder = ModelFolder();
    const QString missing = MissingModelPackage(folder);
    if (!missing.isEmpty()) {
        if (error)
            *error = missing;
        return false;
    }
    // The engine reads numbers in its model files with the C library's current conventions.
    std::setlocale(LC_NUMERIC, "C");
    api_ = std::make_unique<tesseract::TessBaseAPI>();
    chinese_ = std::make_unique<tesseract::TessBaseAPI>();
    const QByteArray path = QFile::encodeName(folder);
    if (api_->Init(path.constData(), Languages, tesseract::OEM_LSTM_ONLY) != 0
        || chinese_->Init(path.constData(), "chi_sim", tesseract::OEM_LSTM_ONLY) != 0) {
        api_.reset();
        chinese_.reset();
        if (error)
            *error = folder;
        return false;
    }
    loaded_ = true;
    return true;
}

OcrEngine::Result OcrEngine::recognise(const QImage &region, const std::atomic_bool *cancel)
{
    Result result;
    if (!loaded_ || region.isNull())
        return result;
    // The engine shares some of its work out to OpenMP threads that spin while they wait for
    // each other; with the desktop's cores busy that made a 1000x300 region four to five times
    // slower than reading it on one thread. No parallel level is let run (the engine asks for its
    // thread counts itself, so a thread count set here would be passed over).
    omp_set_max_active_levels(0);
    const PreparedPicture prepared = PrepareForRecognition(region);
    // One line of text reads best as a line; anything else as one block, in reading order, which
    // is how a window's texts are laid out.
    api_->SetPageSegMode(prepared.lineCount == 1 ? tesseract::PSM_SINGLE_LINE : tesseract::PSM_SINGLE_BLOCK);
    api_->SetImage(prepared.grey.constBits(), prepared.grey.width(), prepared.grey.height(), 1,
                   int(prepared.grey.bytesPerLine()));
    api_->SetSourceResolution(300);
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = [](void *flag, int) { return static_cast<const std::atomic_bool *>(flag)->load(); };
    monitor.cancel_this = const_cast<std::atomic_bool *>(cancel);
    const int failed = api_->Recognize(cancel ? &monitor : nullptr);
    if (cancel && cancel->load()) {
        result.cancelled = true;
        api_->Clear();
        return result;
    }
    if (failed == 0) {
        QStringList lines;
        const std::unique_ptr<tesseract::ResultIterator> it(api_->GetIterator());
        if (it && !it->Empty(tesseract::RIL_TEXTLINE)) {
            do {
                const std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
                QString line = text ? QString::fromUtf8(text.get()).trimmed() : QString();
                const int confidence = int(it->Confidence(tesseract::RIL_TEXTLINE));
                int left = 0, top = 0, right = 0, bottom = 0;
                // Only enlarged small text: at their own size the mixed model reads Chinese lines
                // as well as the Chinese one, and the second reading only trades one error for another.
                if (prepared.scale > 1.0 && confidence < 85 && it->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom)
                    && !(cancel && cancel->load())) {
                    int chineseConfidence = 0;
                    const QString chinese = readLineAsChinese(
                        prepared.grey, QRect(QPoint(left, top), QPoint(right, bottom)), &chineseConfidence);
                    if (chineseConfidence > confidence + 5)
                        line = chinese;
                }
                // A new paragraph is set off by an empty line, as the engine's own text has it.
                if (!lines.isEmpty() && it->IsAtBeginningOf(tesseract::RIL_PARA))
                    lines << QString();
                lines << line;
            } while (it->Next(tesseract::RIL_TEXTLINE));
        }
        result.text = TidyRecognisedText(lines.join(u'\n'));
    }
    api_->Clear();
    return result;
}

QString OcrEngine::readLineAsChinese(const QImage &grey, const QRect &box, int *confidence)
{
    const QRect padded = box.adjusted(-8, -8, 8, 8) & grey.rect();
    chinese_->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    chinese_->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    chinese_->SetSourceResolution(300);
    chinese_->SetRectangle(padded.x(), padded.y(), padded.width(), padded.height());
    const std::unique_ptr<char[]> text(chinese_->GetUTF8Text());
    *confidence = chinese_->MeanTextConf();
    chinese_->Clear();
    return text ? QString::fromUtf8(text.get()).trimmed() : QString();
}

}  // namespace tiv
