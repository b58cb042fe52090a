// The text box on the canvas, its font and the canvas pop-up menu.
#include "app/TFrmMain.h"

#include "editing/FontColorDialog.h"
#include "editing/ImageControl.h"
#include "editing/TextCommit.h"
#include "editing/ToolMode.h"
#include "text/InterfaceText.h"

#include <QTextDocument>

#include <algorithm>

namespace tiv {

namespace {

const QString kNoMemoryForSnapshot =
    QStringLiteral("内存不足，这一步没有存入历史记录，无法退回到它之前；更早的记录仍然可用。");

// The lines as the box shows them: wrapped at the width its text area has inside the frame.
QStringList ShownLines(const QPlainTextEdit *memo)
{
    const int margin = int(memo->document()->documentMargin());
    const int width = memo->viewport()->width() > 0 ? memo->viewport()->width() : memo->width();
    return TextBoxLines(memo->toPlainText(), memo->font(), std::max(1, width - 2 * margin));
}

}  // namespace

void TFrmMain::BtnAddTextClick()
{
    MemoText->clear();
    MemoText->hide();
    ToolMode = ToolTextBox;
}

void TFrmMain::BtnAddTextOkClick()
{
    const bool typed = MemoText->isVisible() && !MemoText->toPlainText().isEmpty();
    const TextBoxContent box{CanvasPoint(MemoText->pos()), ShownLines(MemoText), MemoText->font(), TextColor};
    CanvasPicture &picture = ImgMain->picture();
    // The snapshot covers the whole picture, so stepping back right after always restores it.
    const TextCommitResult result = CommitText(picture, History, picture.image.size(), box);
    MemoText->hide();
    if (result != TextCommitResult::NotEditable)
        ImgMain->pictureChanged();
    if (result == TextCommitResult::DrawnWithoutSnapshot)
        PnlHint->setText(kNoMemoryForSnapshot);
    MemoText->clear();
    ToolMode = ToolNone;
    if (result == TextCommitResult::NotEditable && typed && !picture.isEmpty())
        ShowMessage(TxtEditFormatsOnly);
}

void TFrmMain::CommitPendingText()
{
    BtnAddTextOkClick();
}

void TFrmMain::BtnCancelAddTextClick()
{
    ToolMode = ToolNone;
    MemoText->clear();
    MemoText->hide();
}

void TFrmMain::BtnFontSetClick()
{
    if (!FontDialog1)
        FontDialog1 = new FontColorDialog(this);
    FontDialog1->setChoice(MemoText->font(), TextColor);
    if (FontDialog1->exec() == QDialog::Accepted)
        setTextFont(FontDialog1->chosenFont(), FontDialog1->chosenColour());
}

void TFrmMain::N11Click()
{
    BtnFontSet->click();
}

void TFrmMain::PmFontPopup()
{
    const bool onTextBox = PopupFromTextBox == 1;
    PnAddText->setVisible(!onTextBox);
    for (QAction *a : {PmReturn, PmConfirmAddText, PmCancelAddText})
        a->setVisible(onTextBox);
}

void TFrmMain::MemoTextMouseDown()
{
    PopupFromTextBox = 1;
}

}  // namespace tiv
