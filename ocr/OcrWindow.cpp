#include "ocr/OcrWindow.h"

#include "common/ButtonFace.h"
#include "text/FeatureTexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tiv {

OcrWindow::OcrWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmTextResult"));
    setWindowTitle(TxtOcrTitle);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(420, 260);
    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("LblOcrStatus"));
    Status->setTextFormat(Qt::PlainText);
    Status->setStyleSheet(QStringLiteral("color: red"));
    Busy = new QProgressBar(this);
    Busy->setRange(0, 0);
    Busy->setTextVisible(false);
    Busy->setFixedHeight(8);
    Text = new QPlainTextEdit(this);
    Text->setObjectName(QStringLiteral("MemoOcrText"));
    BtnCopy = new QPushButton(TxtOcrCopy, this);
    BtnCopy->setObjectName(QStringLiteral("BtnOcrCopy"));
    BtnClose = new QPushButton(TxtOcrClose, this);
    BtnClose->setObjectName(QStringLiteral("BtnOcrClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnCopy);
    buttons->addWidget(BtnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Status);
    layout->addWidget(Busy);
    layout->addWidget(Text, 1);
    layout->addLayout(buttons);
    ApplyDrawnFaces(this);
    connect(BtnCopy, &QPushButton::clicked, this, [this] { emit copyRequested(Text->toPlainText()); });
    connect(BtnClose, &QPushButton::clicked, this, &QWidget::close);
    setBusy(false);
}

void OcrWindow::setBusy(bool on)
{
    busy_ = on;
    Busy->setVisible(on);
    Text->setReadOnly(on);
    BtnCopy->setEnabled(!on);
    if (on)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void OcrWindow::showBusy(const QString &status)
{
    Status->setText(status);
    Text->clear();
    setBusy(true);
}

void OcrWindow::showText(const QString &text, const QString &status)
{
    Status->setText(status);
    Text->setPlainText(text);
    setBusy(false);
}

void OcrWindow::showProblem(const QString &status)
{
    Status->setText(status);
    setBusy(false);
}

void OcrWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (busy_)
        emit abandonRequested();
    else
        close();
}

void OcrWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window while it reads is leaving the reading.
    if (busy_)
        emit abandonRequested();
    event->accept();
}

}  // namespace tiv
