#pragma once

#include <QWidget>

class QPushButton;
namespace tiv {

class WebView;

// The online help: a window of its own over the main window, reused for the rest of the run.
// Closing it only hides it; every showing loads the help page afresh.
class TFrmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TFrmHelp(QWidget *owner);

    void FormCreate();
    void FormShow();
    void BtnCloseClick();

    WebView *WebBrowser1;  // null when the web module is missing
    QWidget *BottomBar;
    QPushButton *BtnClose;
    // Shown while the page loads; the page can be read and clicked meanwhile.
    QWidget *Loading;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showLoading(bool loading);
};

}  // namespace tiv
