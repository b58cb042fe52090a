#include "ocr/OcrService.h"

#include "ocr/TextRecognizer.h"

#include <QMetaObject>

namespace tiv {

class OcrService::Worker : public QObject {
public:
    std::unique_ptr<TextRecognizer> engine;
};

OcrService::OcrService(QObject *parent) : QObject(parent), worker_(new Worker)
{
    thread_.setObjectName(QStringLiteral("text recognition"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start(QThread::LowPriority);
}

OcrService::~OcrService()
{
    abandon();
    thread_.quit();
    thread_.wait();
}

int OcrService::recognise(const QImage &picture)
{
    abandon();
    const int request = ++lastRequest_;
    running_ = request;
    auto cancel = std::make_shared<std::atomic_bool>(false);
    cancel_ = cancel;
    if (!modelsLoaded_->load())
        emit loading();
    QMetaObject::invokeMethod(worker_, [this, request, cancel, picture, loaded = modelsLoaded_] {
        Worker *worker = worker_;
        if (cancel->load())
            return;
        QString problem;
        if (!worker->engine)
            worker->engine = NewTextRecognizer(&problem);
        const bool ready = worker->engine && worker->engine->load(&problem);
        loaded->store(ready);
        if (!ready) {
            const bool missing = problem.startsWith(QLatin1String("tesseract-ocr"));
            QMetaObject::invokeMethod(this, [this, request, missing, problem] {
                if (running_ != request)
                    return;
                running_ = 0;
                emit failed(request, missing ? problem : QString(), problem);
            });
            return;
        }
        const TextRecognizer::Result result = worker->engine->recognise(picture, cancel.get());
        if (result.cancelled)
            return;
        QMetaObject::invokeMethod(this, [this, request, text = result.text] {
            if (running_ != request)
                return;
            running_ = 0;
            emit finished(request, text);
        });
    });
    return request;
}

void OcrService::abandon()
{
    if (cancel_)
        cancel_->store(true);
    cancel_.reset();
    running_ = 0;
}

}  // namespace tiv
