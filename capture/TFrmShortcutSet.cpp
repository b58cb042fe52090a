#include "capture/TFrmShortcutSet.h"

#include "app/VirtualKey.h"
#include "capture/HotkeyEntryCheck.h"
#include "common/ButtonFace.h"
#include "common/CatchAll.h"
#include "text/DialogTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tiv {

namespace {

QFont FieldFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(12);
    return font;
}

QString ProblemText(HotkeyProblem problem)
{
    switch (problem) {
    case HotkeyProblem::NoKey: return TxtHotkeyKeyMissing;
    case HotkeyProblem::UnknownKey: return TxtHotkeyKeyUnknown;
    case HotkeyProblem::UnknownModifier: return TxtHotkeyModifierUnknown;
    case HotkeyProblem::SameAsEarlier: return TxtHotkeyRepeated;
    case HotkeyProblem::None: break;
    }
    return {};
}

QLabel *RedLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(FieldFont());
    label->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
    return label;
}

}  // namespace

TFrmShortcutSet::TFrmShortcutSet(HotkeyTable &table, HotkeyConflicts &conflicts, QWidget *parent)
    : QDialog(parent), table_(table), conflicts_(conflicts)
{
    setObjectName(QStringLiteral("FrmShortcutSet"));
    setWindowTitle(QStringLiteral("热键设置"));
    SbCenter = new QWidget(this);
    SbCenter->setObjectName(QStringLiteral("SbCenter"));
    SbCenter->setAutoFillBackground(true);
    QPalette palette = SbCenter->palette();
    palette.setColor(QPalette::Window, QColor(245, 250, 254));
    SbCenter->setPalette(palette);
    for (int i = 0; i < HotkeyCount; ++i) {
        RowCaptions[i] = new QLabel(TxtHotkeyRowCaptions[i], SbCenter);
        RowCaptions[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        RowCaptions[i]->setFont(FieldFont());
        RowCaptions[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    SaveNotice = RedLabel(SbCenter);
    SaveNotice->setObjectName(QStringLiteral("SaveNotice"));
    BtnDefaultSet = NewFaceButton(SbCenter, "BtnDefaultSet", "HotkeyDefault", "默认");
    BtnConfirm = NewFaceButton(SbCenter, "BtnConfirm", "HotkeySave", "保存");
    BtnClose = NewFaceButton(SbCenter, "BtnClose", "HotkeyClose", "关闭");
    HotkeyLog = new QPlainTextEdit(QStringLiteral("Memo1"), SbCenter);
    HotkeyLog->setObjectName(QStringLiteral("HotkeyLog"));
    HotkeyLog->setReadOnly(true);
    HotkeyLog->hide();
    connect(BtnDefaultSet, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnDefaultSetClick(); }); });
    connect(BtnConfirm, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnConfirmClick(); }); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { CatchAll([&] { BtnCloseClick(); }); });
    FormCreate();
    buildLayout();
}

void TFrmShortcutSet::FormCreate()
{
    CatchAll([&] {
        const QStringList modifiers = QStringLiteral("Ctrl,Shift,Alt,ESC").split(u',');
        const auto modifierList = [&] {
            auto *list = new QComboBox(SbCenter);
            list->setEditable(true);
            // Typed text is kept exactly as typed: no completion, and Enter adds no item.
            list->setCompleter(nullptr);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->addItems(modifiers);
            list->setFont(FieldFont());
            list->setFixedWidth(86);
            connect(list, &QComboBox::editTextChanged, this, [this] { CatchAll([&] { showRowWarnings(); }); });
            return list;
        };
        for (int i = 0; i < HotkeyCount; ++i) {
            Row &row = Rows[i];
            row.warning = RedLabel(SbCenter);
            row.warning->setObjectName(QStringLiteral("Warning%1").arg(i + 1));
            row.warning->hide();
            row.modifier1 = modifierList();
            row.modifier2 = modifierList();
            row.key = new QLineEdit(SbCenter);
            row.key->setFont(FieldFont());
            row.key->setFixedWidth(56);
            connect(row.key, &QLineEdit::textChanged, this, [this] { CatchAll([&] { showRowWarnings(); }); });
            row.key->installEventFilter(this);
        }
    });
}

// A grid: the captions right-aligned beside their rows, the "+" signs in columns of their own, the
// warnings in a column wide enough for the longest, and the buttons in a row along the bottom.
void TFrmShortcutSet::buildLayout()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(SbCenter);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto *grid = new QGridLayout(SbCenter);
    grid->setContentsMargins(24, 20, 24, 16);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(10);
    const QFontMetrics metrics(FieldFont());
    int warningWidth = 0;
    for (const QString &text : {TxtHotkeyConflictMark, TxtHotkeyKeyMissing, TxtHotkeyKeyUnknown,
                                TxtHotkeyModifierUnknown, TxtHotkeyRepeated})
        warningWidth = std::max(warningWidth, metrics.horizontalAdvance(text));
    for (int i = 0; i < HotkeyCount; ++i) {
        const Row &row = Rows[i];
        if (!row.key)
            break;
        grid->addWidget(RowCaptions[i], i, 0);
        grid->addWidget(row.modifier1, i, 1);
        grid->addWidget(row.modifier2, i, 3);
        grid->addWidget(row.key, i, 5);
        grid->addWidget(row.warning, i, 6);
        for (const int column : {2, 4}) {
            auto *plus = new QLabel(QStringLiteral("+"), SbCenter);
            plus->setFont(FieldFont());
            plus->setAlignment(Qt::AlignCenter);
            grid->addWidget(plus, i, column);
        }
    }
    grid->setColumnMinimumWidth(6, warningWidth + 8);
    // The notice keeps its line while empty, so the buttons stay put when it speaks.
    SaveNotice->setMinimumHeight(metrics.height());
    grid->addWidget(SaveNotice, HotkeyCount, 0, 1, 7);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(BtnDefaultSet);
    buttons->addStretch(1);
    buttons->addWidget(BtnConfirm);
    buttons->addWidget(BtnClose);
    grid->addLayout(buttons, HotkeyCount + 1, 0, 1, 7);
}

HotkeyTable TFrmShortcutSet::ShownEntries() const
{
    HotkeyTable shown;
    for (int i = 0; i < HotkeyCount; ++i) {
        if (Rows[i].key)
            shown[i] = {Rows[i].modifier1->currentText(), Rows[i].modifier2->currentText(), Rows[i].key->text()};
    }
    return shown;
}

void TFrmShortcutSet::LoadHotkeyRows()
{
    CatchAll([&] {
        for (int i = 0; i < HotkeyCount; ++i) {
            Rows[i].modifier1->setEditText(table_[i].Modifier1);
            Rows[i].modifier2->setEditText(table_[i].Modifier2);
            Rows[i].conflict = conflicts_[i];
            Rows[i].key->setText(table_[i].Key);
        }
        SaveNotice->clear();
        showRowWarnings();
    });
}

void TFrmShortcutSet::StoreHotkeyRows()
{
    CatchAll([&] {
        const HotkeyTable shown = ShownEntries();
        for (int i = 0; i < HotkeyCount; ++i) {
            // A refusal holds for the keys that were refused, not for the ones that replace them.
            conflicts_[i] = Rows[i].conflict && SameHotkey(shown[i], table_[i]);
            table_[i] = shown[i];
        }
    });
}

void TFrmShortcutSet::BtnConfirmClick()
{
    if (!showRowWarnings()) {
        SaveNotice->setText(TxtHotkeyNotSaved);
        return;
    }
    StoreHotkeyRows();
    close();
}

void TFrmShortcutSet::BtnCloseClick()
{
    close();
}

void TFrmShortcutSet::BtnDefaultSetClick()
{
    const HotkeyTable before = table_;
    ResetHotkeyDefaults(table_);
    for (int i = 0; i < HotkeyCount; ++i)
        conflicts_[i] = conflicts_[i] && SameHotkey(before[i], table_[i]);
    LoadHotkeyRows();
}

bool TFrmShortcutSet::showRowWarnings()
{
    const HotkeyTable shown = ShownEntries();
    bool usable = true;
    for (int i = 0; i < HotkeyCount; ++i) {
        Row &r = Rows[i];
        if (!r.warning)
            continue;
        const HotkeyProblem problem = HotkeyEntryProblem(shown, i);
        usable = usable && problem == HotkeyProblem::None;
        QString text = ProblemText(problem);
        // The desktop refused the table's keys; other keys typed into the row have not been tried.
        if (text.isEmpty() && r.conflict && SameHotkey(shown[i], table_[i]))
            text = TxtHotkeyConflictMark;
        r.warning->setText(text);
        r.warning->setVisible(!text.isEmpty());
    }
    if (usable)
        SaveNotice->clear();
    return usable;
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
