#include "capture/TFrmShortcutSet.h"

#include "app/VirtualKey.h"
#include "capture/CellCaption.h"
#include "common/ButtonFace.h"
#include "common/CatchAll.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tiv {

namespace {

// Each caption names the capture its row's hotkey runs. On a grid of 8-pixel cells the blanks
// place the two "+" signs between the row's three fields.
const char *const kRowCaptions[HotkeyCount] = {
    "         全屏截取         +         +",
    "     当前窗体截图         +         +",
    " 当前活动区域截图         +         +",
    "     鼠标区域截屏         +         +",
    " 退出鼠标区域截屏         +         +  ",
};
const int kCaptionTops[HotkeyCount] = {19, 54, 86, 115, 147};

QFont RowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(16);
    return font;
}

}  // namespace

TFrmShortcutSet::TFrmShortcutSet(HotkeyTable &table, HotkeyConflicts &conflicts, QWidget *parent)
    : QDialog(parent), table_(table), conflicts_(conflicts)
{
    setObjectName(QStringLiteral("FrmShortcutSet"));
    setWindowTitle(QStringLiteral("热键设置"));
    setFixedSize(588, 262);
    move(307, 203);
    SbCenter = new QWidget(this);
    SbCenter->setObjectName(QStringLiteral("SbCenter"));
    SbCenter->setGeometry(rect());
    SbCenter->setAutoFillBackground(true);
    QPalette palette = SbCenter->palette();
    palette.setColor(QPalette::Window, QColor(245, 250, 254));
    SbCenter->setPalette(palette);
    for (int i = 0; i < HotkeyCount; ++i) {
        RowCaptions[i] = new CellCaption(QString::fromUtf8(kRowCaptions[i]), 8, SbCenter);
        RowCaptions[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        RowCaptions[i]->setFont(RowFont());
        RowCaptions[i]->setGeometry(QRect(QPoint(24, kCaptionTops[i]), RowCaptions[i]->sizeHint()));
    }
    BtnDefaultSet = NewFaceButton(SbCenter, "BtnDefaultSet", "HotkeyDefault", "默认");
    BtnDefaultSet->move(321, 175);
    BtnConfirm = NewFaceButton(SbCenter, "BtnConfirm", "HotkeySave", "保存");
    BtnConfirm->move(391, 175);
    BtnClose = NewFaceButton(SbCenter, "BtnClose", "HotkeyClose", "关闭");
    BtnClose->move(457, 174);
    HotkeyLog = new QPlainTextEdit(QStringLiteral("Memo1"), SbCenter);
    HotkeyLog->setObjectName(QStringLiteral("HotkeyLog"));
    HotkeyLog->setReadOnly(true);
    HotkeyLog->setGeometry(368, 16, 161, 137);
    HotkeyLog->hide();
    connect(BtnDefaultSet, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnDefaultSetClick(); }); });
    connect(BtnConfirm, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnConfirmClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnCloseClick(); }); });
    FormCreate();
}

void TFrmShortcutSet::FormCreate()
{
    CatchAll([&] {
        const QStringList modifiers = QStringLiteral("Ctrl,Shift,Alt,ESC").split(u',');
        QFont font;
        font.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
        font.setPointSize(12);
        const auto modifierList = [&](int x, int y) {
            auto *list = new QComboBox(SbCenter);
            list->setEditable(true);
            // Typed text is kept exactly as typed: no completion, and Enter adds no item.
            list->setCompleter(nullptr);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->addItems(modifiers);
            list->setFont(font);
            list->setGeometry(x, y, 65, 24);
            return list;
        };
        for (int i = 0; i < HotkeyCount; ++i) {
            const int y = 18 + 33 * i;
            Row &row = Rows[i];
            row.warning = new QLabel(QStringLiteral("此快捷键冲突，请修改"), SbCenter);
            row.warning->setObjectName(QStringLiteral("Warning%1").arg(i + 1));
            row.warning->setFont(font);
            row.warning->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
            row.warning->move(380, y + 3);
            row.warning->adjustSize();
            row.warning->hide();
            row.modifier1 = modifierList(163, y);
            row.modifier2 = modifierList(245, y);
            row.key = new QLineEdit(SbCenter);
            row.key->setFont(font);
            row.key->setGeometry(329, y, 30, 24);
            connect(row.key, &QLineEdit::textChanged, this, [this, i] { CatchAll([&] { showRowWarning(i); }); });
            row.key->installEventFilter(this);
        }
    });
}

void TFrmShortcutSet::LoadHotkeyRows()
{
    CatchAll([&] {
        for (int i = 0; i < HotkeyCount; ++i) {
            Rows[i].modifier1->setEditText(table_[i].Modifier1);
            Rows[i].modifier2->setEditText(table_[i].Modifier2);
            Rows[i].conflict = conflicts_[i];
            Rows[i].key->setText(table_[i].Key);
            showRowWarning(i);
        }
    });
}

void TFrmShortcutSet::StoreHotkeyRows()
{
    CatchAll([&] {
        for (int i = 0; i < HotkeyCount; ++i) {
            table_[i] = {Rows[i].modifier1->currentText(), Rows[i].modifier2->currentText(), Rows[i].key->text()};
            conflicts_[i] = Rows[i].conflict;
        }
    });
}

void TFrmShortcutSet::BtnConfirmClick()
{
    StoreHotkeyRows();
    close();
}

void TFrmShortcutSet::BtnCloseClick()
{
    close();
}

void TFrmShortcutSet::BtnDefaultSetClick()
{
    ResetHotkeyDefaults(table_);
    LoadHotkeyRows();
}

void TFrmShortcutSet::showRowWarning(int row)
{
    Row &r = Rows[row];
    if (!r.warning)
        return;
    // A key text that names no key would never register; say so while it is being typed.
    const bool unknownKey = HotkeyKeyCode({QString(), QString(), r.key->text()}) == 0;
    if (r.key->text().isEmpty())
        r.warning->setText(QStringLiteral("请输入按键"));
    else
        r.warning->setText(unknownKey ? QStringLiteral("无此按键，请修改") : QStringLiteral("此快捷键冲突，请修改"));
    r.warning->adjustSize();
    r.warning->setVisible(unknownKey || r.conflict);
}

bool TFrmShortcutSet::eventFilter(QObject *watched, QEvent *event)
{
    // A function key types nothing into a text box: pressed in a key box, it writes its own name.
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched)) {
        const int key = VirtualKeyOf(*static_cast<QKeyEvent *>(event));
        if (key >= VkF1 && key < VkF1 + 12) {
            static_cast<QLineEdit *>(watched)->setText(QStringLiteral("F%1").arg(key - VkF1 + 1));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmShortcutSet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    LoadHotkeyRows();
}

}  // namespace tiv
