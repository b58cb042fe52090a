#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tiv {

// The small window of text recognition: while the engine reads, a busy bar (Esc abandons);
// afterwards the text, to be corrected and copied again.
class OcrWindow : public QWidget {
    Q_OBJECT
public:
    explicit OcrWindow(QWidget *parent = nullptr);

    void showBusy(const QString &status);
    void showText(const QString &text, const QString &status);
    void showProblem(const QString &status);
    bool busy() const { return busy_; }

    QLabel *Status;
    QProgressBar *Busy;
    QPlainTextEdit *Text;
    QPushButton *BtnCopy, *BtnClose;

signals:
    void abandonRequested();
    void copyRequested(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setBusy(bool on);
    bool busy_ = false;
};

}  // namespace tiv
