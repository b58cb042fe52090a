#pragma once

#include <QImage>
#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

namespace tiv {

// Runs the recognition engine on a thread of its own, so that neither loading the engine and its
// models nor reading a picture ever holds up the interface. Both are loaded with the first request.
// One request runs at a time; a new one abandons the one before.
class OcrService : public QObject {
    Q_OBJECT
public:
    explicit OcrService(QObject *parent = nullptr);
    ~OcrService() override;

    // Starts reading `picture`; the answer comes as finished() or failed() with this number.
    int recognise(const QImage &picture);
    // Abandons the running request: its answer never comes.
    void abandon();
    bool busy() const { return running_ != 0; }

signals:
    void loading();
    void finished(int request, const QString &text);
    // `missingPackage` non-empty when the language data is not installed.
    void failed(int request, const QString &missingPackage, const QString &reason);

private:
    // Lives on the worker thread.
    class Worker;

    QThread thread_;
    Worker *worker_;
    int lastRequest_ = 0;
    int running_ = 0;
    std::shared_ptr<std::atomic_bool> cancel_;
    std::shared_ptr<std::atomic_bool> modelsLoaded_ = std::make_shared<std::atomic_bool>(false);
};

}  // namespace tiv
