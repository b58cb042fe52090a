// The canvas's own controls and the events of the canvas and the text box.
#include "app/TFrmMain.h"

#include "app/NamedControls.h"

#include "common/CatchAll.h"
#include "editing/ImageControl.h"

#include <QEvent>
#include <QMouseEvent>

#include <functional>

namespace tiv {

namespace {

// Runs a function on every mouse press that reaches a control, before the control sees it.
class PressHook : public QObject {
public:
    PressHook(QObject *watched, std::function<void()> onPress) : QObject(watched), onPress_(std::move(onPress))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            CatchAll(onPress_);
        return false;
    }

private:
    std::function<void()> onPress_;
};


}  // namespace

void TFrmMain::buildCanvasControls()
{
    // The text box's confirm and cancel buttons are kept hidden; the pop-up menu carries them.
    BtnAddTextOk = NamedButton(BtnAddText->parentWidget(), "BtnAddTextOk", "确定加入", false);
    BtnCancelAddText = NamedButton(BtnAddText->parentWidget(), "BtnCancelAddText", "取消加入", false);

    PmFont = NamedMenu(this, "PmFont");
    PnAddText = NamedMenuItem(PmFont, "PnAddText", "加入文字");
    N11 = NamedMenuItem(PmFont, "N11", "字体设置");
    MnBackgroundSet = NamedMenuItem(PmFont, "MnBackgroundSet", "背景设置");
    PmReturn = NamedMenuItem(PmFont, "PmReturn", "回复到前面状态");
    PmConfirmAddText = NamedMenuItem(PmFont, "PmConfirmAddText", "确定加入");
    PmCancelAddText = NamedMenuItem(PmFont, "PmCancelAddText", "取消加入");
    N14 = NamedMenuItem(PmFont, "N14", "保存图片");
}

void TFrmMain::wireCanvasEvents()
{
    connect(ImgMain, &ImageControl::mousePressed, this, [this](QMouseEvent *e) {
        CatchAll([&] { ImgMainMouseDown(e->button(), CanvasMousePosition(*e)); });
    });
    connect(ImgMain, &ImageControl::mouseMoved, this, [this](QMouseEvent *e) {
        CatchAll([&] { ImgMainMouseMove(e->buttons(), CanvasMousePosition(*e)); });
    });
    connect(ImgMain, &ImageControl::mouseReleased, this, [this](QMouseEvent *e) {
        CatchAll([&] { ImgMainMouseUp(e->button(), CanvasMousePosition(*e)); });
    });
    // The text box's presses land on its viewport.
    new PressHook(MemoText->viewport(), [this] { MemoTextMouseDown(); });
    for (QWidget *w : {static_cast<QWidget *>(ImgMain), static_cast<QWidget *>(MemoText)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint &at) {
            CatchAll([&] { PmFontPopup(); });
            PmFont->popup(w->mapToGlobal(at));
        });
    }
}

}  // namespace tiv
