// The entry window: controls, load and unload, remembered options, width, account and
// detail lists, byte counters, kind filters and date buttons.
#include "entry/inputform.h"
#include "platform/webpages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "store/accountnames.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/detailtext.h"
#include "store/figures.h"
#include "windowparts/colourtable.h"
#include "windowparts/mainview.h"
#include "windowparts/plainbutton.h"

namespace {

const QString Section = QStringLiteral("InputForm");
const QString MoreCaption = QStringLiteral("更多功能 >>");
const QString LessCaption = QStringLiteral("<< 關閉");
constexpr int NarrowTwips = 8145;
constexpr int WideTwips = 11745;
const QString Separator(54, QLatin1Char('-'));

template <typename T> T* named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QAction* option(QMenu* menu, const QString& caption, const QString& name) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(true);
    return a;
}

unsigned offeredKinds(bool firstList) {
    return firstList ? AccountKinds::FirstSide : AccountKinds::SecondSide;
}

} // namespace

InputForm::InputForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("InputForm"));
    buildControls();
    buildMenu();
    connectHandlers();

    // Load: drop-down heights (400, 300 and 200 pixels of rows), options, width, keypad state.
    BoundDropHeight(Cob2, 20);
    BoundDropHeight(Cob3, 15);
    BoundDropHeight(Cob4, 15);
    BoundDropHeight(Combo3, 15);
    BoundDropHeight(Combo1, 10);
    loadOptions();
    // The stored caption of 更多 says the width: any caption but 更多's is the wide window.
    const QString stored =
        m_ctx.services.settings().GetSetting(Section, QStringLiteral("More"), MoreCaption);
    m_wide = stored != MoreCaption;
    Command3->setText(stored);
    applyWidth();
    Label8->clear();
    m_keypad.PendingOperator = 0;
}

InputForm::~InputForm() = default;

void InputForm::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    MenuBar = new QMenuBar(this);
    outer->setMenuBar(MenuBar);

    auto* areas = new QHBoxLayout;
    outer->addLayout(areas, 1);
    auto* mainArea = new QWidget(this);
    auto* grid = new QGridLayout(mainArea);
    areas->addWidget(mainArea, 0, Qt::AlignTop);

    // Date.
    grid->addWidget(new QLabel(QStringLiteral("日期"), mainArea), 0, 0);
    DTPicker1 = named(new QDateEdit(mainArea), QStringLiteral("DTPicker1"));
    DTPicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setDateRange(EntryRules::FirstEntryDate(), EntryRules::LastEntryDate());
    // The whole date must stay readable beside the three day buttons.
    DTPicker1->setMinimumWidth(
        DTPicker1->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 40);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(DTPicker1, 1);
    Command7 = PlainButton(mainArea, QStringLiteral("Command7"), QStringLiteral("<<"));
    Cmd4 = PlainButton(mainArea, QStringLiteral("Cmd4"), QStringLiteral("今天"));
    Command9 = PlainButton(mainArea, QStringLiteral("Command9"), QStringLiteral(">>"));
    for (QPushButton* day : {Command7, Command9})
        day->setFixedWidth(32);
    Cmd4->setFixedWidth(48);
    dateRow->addWidget(Command7);
    dateRow->addWidget(Cmd4);
    dateRow->addWidget(Command9);
    grid->addLayout(dateRow, 0, 1);

    // Accounts with their kind filters.
    Label2 = named(new QLabel(QStringLiteral("分類"), mainArea), QStringLiteral("Label2"));
    Cob2 = named(new QComboBox(mainArea), QStringLiteral("Cob2"));
    grid->addWidget(Label2, 1, 0);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(Cob2, 1);
    const QStringList letters2{QStringLiteral("A"), QStringLiteral("L"), QStringLiteral("I"),
                               QStringLiteral("E")};
    for (int k = 0; k < 4; ++k) {
        Command6[size_t(k)] =
            PlainButton(mainArea, QStringLiteral("Command6_%1").arg(k), letters2[k]);
        Command6[size_t(k)]->setFixedWidth(28);
        row2->addWidget(Command6[size_t(k)]);
    }
    grid->addLayout(row2, 1, 1);

    Label3 = named(new QLabel(QStringLiteral("科目"), mainArea), QStringLiteral("Label3"));
    Cob3 = named(new QComboBox(mainArea), QStringLiteral("Cob3"));
    grid->addWidget(Label3, 2, 0);
    auto* row3 = new QHBoxLayout;
    row3->addWidget(Cob3, 1);
    for (int k = 0; k < 2; ++k) {
        Command10[size_t(k)] =
            PlainButton(mainArea, QStringLiteral("Command10_%1").arg(k), letters2[k]);
        Command10[size_t(k)]->setFixedWidth(28);
        row3->addWidget(Command10[size_t(k)]);
    }
    Command11 = PlainButton(mainArea, QStringLiteral("Command11"), QStringLiteral("對調"));
    row3->addWidget(Command11);
    grid->addLayout(row3, 2, 1);

    // Amount, operator sign and rate.
    grid->addWidget(new QLabel(QStringLiteral("金額"), mainArea), 3, 0);
    Text2 = named(new QLineEdit(mainArea), QStringLiteral("Text2"));
    Label8 = named(new QLabel(mainArea), QStringLiteral("Label8"));
    Label8->setFixedWidth(14);
    Text3 = named(new QLineEdit(QStringLiteral("1"), mainArea), QStringLiteral("Text3"));
    Text3->setFixedWidth(60);
    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(Text2, 1);
    amountRow->addWidget(Label8);
    amountRow->addWidget(new QLabel(QStringLiteral("匯率"), mainArea));
    amountRow->addWidget(Text3);
    grid->addLayout(amountRow, 3, 1);

    // Detail.
    grid->addWidget(new QLabel(QStringLiteral("明細"), mainArea), 4, 0);
    Combo3 = named(new QComboBox(mainArea), QStringLiteral("Combo3"));
    Combo3->setEditable(true);
    Combo3->setInsertPolicy(QComboBox::NoInsert);
    grid->addWidget(Combo3, 4, 1);
    Label13 = named(new QLabel(QStringLiteral("明細字數: 0"), mainArea), QStringLiteral("Label13"));
    Check1 =
        named(new QCheckBox(QStringLiteral("存到明細清單內"), mainArea), QStringLiteral("Check1"));
    // A long count with its remark wraps within its room instead of pushing the box aside.
    Label13->setWordWrap(true);
    auto* detailRow = new QHBoxLayout;
    detailRow->addWidget(Label13, 1);
    detailRow->addWidget(Check1);
    grid->addLayout(detailRow, 5, 1);

    // Note.
    grid->addWidget(new QLabel(QStringLiteral("備註"), mainArea), 6, 0, Qt::AlignTop);
    Text1 = named(new QPlainTextEdit(mainArea), QStringLiteral("Text1"));
    Text1->setTabChangesFocus(true);
    Text1->setFixedHeight(70);
    grid->addWidget(Text1, 6, 1);
    Label14 = named(new QLabel(QStringLiteral("備註字數: 0"), mainArea), QStringLiteral("Label14"));
    // The over-limit remark wraps onto a second line instead of running under 展開 or
    // widening the column. Two lines are kept from the start, so that the remark, when it
    // comes, covers neither the note above nor the invoice below, and moves nothing.
    Label14->setWordWrap(true);
    Label14->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label14->setMinimumHeight(
        Label14->fontMetrics().boundingRect(QRect(), 0, QStringLiteral("備註\n字數")).height() +
        2 * Label14->margin());
    Command1 = PlainButton(mainArea, QStringLiteral("Command1"), QStringLiteral("展開"));
    auto* noteRow = new QHBoxLayout;
    noteRow->addWidget(Label14, 1);
    noteRow->addWidget(Command1);
    grid->addLayout(noteRow, 7, 1);

    // Invoice and colour.
    grid->addWidget(new QLabel(QStringLiteral("發票號碼"), mainArea), 8, 0);
    Text6 = named(new QLineEdit(mainArea), QStringLiteral("Text6"));
    ColorCombo = named(new QComboBox(mainArea), QStringLiteral("ColorCombo"));
    for (int c = 0; c < ColourTable::Count; ++c)
        ColorCombo->addItem(ColourTable::name(c));
    auto* invoiceRow = new QHBoxLayout;
    invoiceRow->addWidget(Text6, 1);
    invoiceRow->addWidget(new QLabel(QStringLiteral("顏色"), mainArea));
    invoiceRow->addWidget(ColorCombo);
    grid->addLayout(invoiceRow, 8, 1);

    // Keypad, right of the fields, four rows.
    auto* pad = new QGridLayout;
    pad->setSpacing(2);
    static const char16_t* const captions[18] = {u"0", u"1", u"2", u"3", u"4", u"5",
                                                 u"6", u"7", u"8", u"9", u"←", u"C",
                                                 u"‧", u"+", u"-", u"*", u"/", u"="};
    for (int k = 0; k < 18; ++k) {
        CmdNum[size_t(k)] = PlainButton(mainArea, QStringLiteral("CmdNum_%1").arg(k),
                                        QString::fromUtf16(captions[k]));
        CmdNum[size_t(k)]->setFocusPolicy(Qt::NoFocus); // the amount keeps the focus and selection
        CmdNum[size_t(k)]->setMinimumSize(25, 25);
    }
    const int layout[4][5] = {
        {7, 8, 9, 10, 11}, {4, 5, 6, 14, 16}, {1, 2, 3, 13, 15}, {0, -1, 12, 17, -1}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            pad->addWidget(CmdNum[size_t(layout[r][c])], r, c);
    pad->addWidget(CmdNum[0], 3, 0, 1, 2);
    pad->addWidget(CmdNum[12], 3, 2);
    pad->addWidget(CmdNum[17], 3, 3, 1, 2);
    grid->addLayout(pad, 0, 2, 5, 1, Qt::AlignTop);

    // Buttons.
    auto* buttons = new QGridLayout;
    Command2 = PlainButton(mainArea, QStringLiteral("Command2"), QStringLiteral("快速入帳"));
    Command5 = PlainButton(mainArea, QStringLiteral("Command5"), QStringLiteral("+"));
    Command5->setToolTip(QStringLiteral("將此筆記錄加入至快速入帳內"));
    Command5->setFixedWidth(28);
    Command8 = PlainButton(mainArea, QStringLiteral("Command8"), QStringLiteral("分期付款"));
    Cmd1 = PlainButton(mainArea, QStringLiteral("Cmd1"), QStringLiteral("新增"));
    Cmd2 = PlainButton(mainArea, QStringLiteral("Cmd2"), QStringLiteral("結束"));
    Command3 = PlainButton(mainArea, QStringLiteral("Command3"), MoreCaption);
    auto* quick = new QHBoxLayout;
    quick->addWidget(Command2, 1);
    quick->addWidget(Command5);
    buttons->addLayout(quick, 0, 0);
    buttons->addWidget(Command8, 0, 1);
    buttons->addWidget(Cmd1, 1, 0);
    buttons->addWidget(Cmd2, 1, 1);
    buttons->addWidget(Command3, 2, 0, 1, 2);
    grid->addLayout(buttons, 5, 2, 4, 1, Qt::AlignTop);

    // Wide area: reminder and fee.
    auto* wideArea = new QWidget(this);
    wideArea->setObjectName(QStringLiteral("WideArea"));
    auto* wide = new QVBoxLayout(wideArea);
    Frame1 = named(new QGroupBox(QStringLiteral("提醒設定"), wideArea), QStringLiteral("Frame1"));
    auto* remind = new QGridLayout(Frame1);
    Option1 = named(new QRadioButton(QStringLiteral("不提醒"), Frame1), QStringLiteral("Option1"));
    Option2 =
        named(new QRadioButton(QStringLiteral("當天提醒"), Frame1), QStringLiteral("Option2"));
    Option3 = named(new QRadioButton(QStringLiteral("前"), Frame1), QStringLiteral("Option3"));
    Option1->setChecked(true);
    Text4 = named(new QLineEdit(QStringLiteral("1"), Frame1), QStringLiteral("Text4"));
    Text4->setFixedWidth(50);
    UpDown1 = named(new QSpinBox(Frame1), QStringLiteral("UpDown1"));
    UpDown1->setRange(1, 32767);
    UpDown1->setValue(1);
    UpDown1->setFixedWidth(18);
    UpDown1->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    remind->addWidget(Option1, 0, 0, 1, 4);
    remind->addWidget(Option2, 1, 0, 1, 4);
    remind->addWidget(Option3, 2, 0);
    remind->addWidget(Text4, 2, 1);
    remind->addWidget(UpDown1, 2, 2);
    remind->addWidget(new QLabel(QStringLiteral("天提醒"), Frame1), 2, 3);
    wide->addWidget(Frame1);

    Frame2 = named(new QGroupBox(QStringLiteral("手續費"), wideArea), QStringLiteral("Frame2"));
    auto* fee = new QGridLayout(Frame2);
    Check2 = named(new QCheckBox(QStringLiteral("扣手續費"), Frame2), QStringLiteral("Check2"));
    Cob4 = named(new QComboBox(Frame2), QStringLiteral("Cob4"));
    Cob5 = named(new QComboBox(Frame2), QStringLiteral("Cob5"));
    Text5 = named(new QLineEdit(QStringLiteral("0"), Frame2), QStringLiteral("Text5"));
    Combo1 = named(new QComboBox(Frame2), QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    fee->addWidget(Check2, 0, 0, 1, 2);
    fee->addWidget(Cob4, 1, 0, 1, 2);
    fee->addWidget(Cob5, 2, 0, 1, 2);
    fee->addWidget(new QLabel(QStringLiteral("金額"), Frame2), 3, 0);
    fee->addWidget(Text5, 3, 1);
    fee->addWidget(new QLabel(QStringLiteral("明細"), Frame2), 4, 0);
    fee->addWidget(Combo1, 4, 1);
    for (QWidget* w : {static_cast<QWidget*>(Cob4), static_cast<QWidget*>(Cob5),
                       static_cast<QWidget*>(Text5), static_cast<QWidget*>(Combo1)})
        w->setEnabled(false);
    wide->addWidget(Frame2);
    wide->addStretch(1);
    areas->addWidget(wideArea, 0, Qt::AlignTop);

    StatusBar1 = named(new QStatusBar(this), QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    auto* statusText = named(new QLabel(StatusBar1), QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(statusText, 1);
    outer->addWidget(StatusBar1);
}

void InputForm::buildMenu() {
    Set = MenuBar->addMenu(QStringLiteral("進階設定"));
    Set->setObjectName(QStringLiteral("Set"));
    Set_Clear = Set->addMenu(QStringLiteral("新增記錄後清空欄位"));
    Set_Clear->setObjectName(QStringLiteral("Set_Clear"));
    Clear_Type0 =
        option(Set_Clear, QStringLiteral("日期 (設為今日)"), QStringLiteral("Clear_Type0"));
    Clear_Type1 = option(Set_Clear, QStringLiteral("金額"), QStringLiteral("Clear_Type1"));
    Clear_Type2 = option(Set_Clear, QStringLiteral("明細"), QStringLiteral("Clear_Type2"));
    Clear_Type3 = option(Set_Clear, QStringLiteral("備註"), QStringLiteral("Clear_Type3"));
    Clear_Type4 = option(Set_Clear, QStringLiteral("發票號碼"), QStringLiteral("Clear_Type4"));
    Clear_Type5 = option(Set_Clear, QStringLiteral("顏色"), QStringLiteral("Clear_Type5"));
    Set_Amount = option(Set, QStringLiteral("啟用金額欄計算功能"), QStringLiteral("Set_Amount"));
    Set_Note =
        option(Set, QStringLiteral("明細欄按上下鍵選擇常用明細"), QStringLiteral("Set_Note"));
    Set_ExchangeRate = option(Set, QStringLiteral("若有使用匯率則在備註記下原金額"),
                              QStringLiteral("Set_ExchangeRate"));

    auto command = [this](const QString& caption, const QString& name) {
        QAction* a = MenuBar->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    Help = command(QStringLiteral("記帳教學"), QStringLiteral("Help"));
    Cal = command(QStringLiteral("小算盤"), QStringLiteral("Cal"));
    NumberList = command(QStringLiteral("發票清單"), QStringLiteral("NumberList"));
    AllClear = command(QStringLiteral("清空欄位"), QStringLiteral("AllClear"));
}

void InputForm::connectHandlers() {
    connect(NumberList, &QAction::triggered, this, [this] { NumberList_Click(); });
    connect(Cmd1, &QPushButton::clicked, this, [this] { Cmd1_Click(); });
    connect(Cmd2, &QPushButton::clicked, this, [this] { reject(); });
    connect(Cmd4, &QPushButton::clicked, this, [this] { Cmd4_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    for (int k = 0; k < 4; ++k)
        connect(Command6[size_t(k)], &QPushButton::clicked, this, [this, k] { Command6_Click(k); });
    for (int k = 0; k < 2; ++k)
        connect(Command10[size_t(k)], &QPushButton::clicked, this,
                [this, k] { Command10_Click(k); });
    for (int k = 0; k < 18; ++k)
        connect(CmdNum[size_t(k)], &QPushButton::clicked, this, [this, k] { CmdNum_Click(k); });

    // A choice made while items are being added (a combo box picks its first item by
    // itself) is not the user's or the opener's choice.
    for (QComboBox* list : {Cob2, Cob3, Cob4}) {
        connect(list->model(), &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this] { m_inserting = true; });
        connect(list->model(), &QAbstractItemModel::rowsInserted, this,
                [this] { m_inserting = false; });
    }
    connect(Cob2, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_inserting) Cob2_Click();
    });
    connect(Cob3, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_inserting) Cob3_Click();
    });
    connect(Cob4, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_inserting) Cob4_Click();
    });
    connect(Combo3, &QComboBox::editTextChanged, this, [this] { UpdateDetailCounter(); });
    connect(Text1, &QPlainTextEdit::textChanged, this, [this] { UpdateNoteCounter(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(UpDown1, &QSpinBox::valueChanged, this,
            [this](int v) { Text4->setText(QString::number(v)); });
    // The spin control steps from the number the box shows.
    connect(Text4, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (ok && v >= UpDown1->minimum() && v <= UpDown1->maximum() && v != UpDown1->value()) {
            const QSignalBlocker blocker(UpDown1);
            UpDown1->setValue(v);
        }
    });

    connect(AllClear, &QAction::triggered, this, [this] { AllClear_Click(); });
    connect(Cal, &QAction::triggered, this, [this] { Cal_Click(); });
    connect(Help, &QAction::triggered, this, [this] { Help_Click(); });

    for (QObject* o :
         {static_cast<QObject*>(Text2), static_cast<QObject*>(Text3), static_cast<QObject*>(Text6),
          static_cast<QObject*>(Cob2), static_cast<QObject*>(Cob3), static_cast<QObject*>(Combo3),
          static_cast<QObject*>(Combo3->lineEdit()), static_cast<QObject*>(Text1),
          static_cast<QObject*>(DTPicker1), static_cast<QObject*>(Label8)})
        o->installEventFilter(this);
}

// ---- Options and width ------------------------------------------------------------------

void InputForm::loadOptions() {
    const SettingsStore& settings = m_ctx.services.settings();
    auto read = [&](QAction* item, bool fallback) {
        const QString text =
            settings.GetSetting(Section, item->objectName(), Runtime::boolText(fallback));
        // A stored text that does not read as a Boolean keeps the default.
        item->setChecked(Runtime::toBool(text).value_or(fallback));
    };
    read(Clear_Type0, false);
    read(Clear_Type1, true);
    read(Clear_Type2, true);
    read(Clear_Type3, true);
    read(Clear_Type4, true);
    read(Clear_Type5, true);
    read(Set_Amount, false);
    read(Set_Note, false);
    read(Set_ExchangeRate, false);
}

void InputForm::saveOptions() {
    SettingsStore& settings = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(settings, m_ctx.services.prompts());
    for (QAction* item : {Clear_Type0, Clear_Type1, Clear_Type2, Clear_Type3, Clear_Type4,
                          Clear_Type5, Set_Amount, Set_Note, Set_ExchangeRate})
        SaveSettingQuietly(settings, Section, item->objectName(),
                           Runtime::boolText(item->isChecked()));
    SaveSettingQuietly(settings, Section, QStringLiteral("More"), Command3->text());
}

bool InputForm::isWide() const {
    return m_wide;
}

void InputForm::applyWidth() {
    if (QWidget* wideArea = findChild<QWidget*>(QStringLiteral("WideArea")))
        wideArea->setVisible(isWide());
    const int width = Runtime::twipsToPixels(isWide() ? WideTwips : NarrowTwips);
    setMinimumWidth(width);
    fitHeight(width);
}

void InputForm::fitHeight(int width) {
    // The height the rows ask for at this width, so that none is squeezed onto another.
    ensurePolished(); // the sizes of the style and font it is shown with
    // The least height follows what is shown now: the hidden wide area's must not hold the
    // narrow window at the wide one's height.
    layout()->activate();
    const int wanted = hasHeightForWidth() ? heightForWidth(width) : sizeHint().height();
    resize(width, std::max(wanted, minimumHeight()));
}

void InputForm::Command3_Click() {
    m_wide = !m_wide;
    Command3->setText(m_wide ? LessCaption : MoreCaption);
    if (!m_wide) {
        // A fee entry is added only while its ticked box is in sight.
        Check2->setChecked(false);
        setMinimumWidth(0);
    }
    applyWidth();
}

// ---- Show and close -----------------------------------------------------------------------

void InputForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

// Also when the window is active again after one of its own modal windows closed (quick
// entries, installments, the note editor): typing replaces the amount.
void InputForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void InputForm::Form_Activate() {
    Text2->setFocus();
    Text2->selectAll();
}

void InputForm::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void InputForm::Form_Unload() {
    if (InputState == 0) {
        m_main.ListAccountRecords(FindAccountIndex(m_ctx.ledger, m_main.SelectedNodeKey()));
        m_main.SelectLastRow();
    }
    saveOptions();
}

void InputForm::SetStatusText(const QString& text) {
    if (auto* panel = StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1")))
        panel->setText(text);
}

QString InputForm::StatusText() const {
    auto* panel = StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    return panel ? panel->text() : QString();
}

// ---- Lists ----------------------------------------------------------------------------------

void InputForm::Cob3_Click() {
    Cob2_Click();
}

void InputForm::Cob2_Click() {
    if (Cob2->currentIndex() < 0) return;
    const QString first = Cob2->currentText();
    const QString second = Cob3->currentText();
    const int kind = PrefixKindCode(first);
    if (kind == KindAsset || kind == KindLiability) {
        Label2->setText(QStringLiteral("轉換到"));
        Label3->setText(QStringLiteral("從科目"));
    } else if (kind == KindIncome) {
        Label2->setText(QStringLiteral("進帳從"));
        Label3->setText(QStringLiteral("到科目"));
    } else if (kind == KindExpense) {
        Label2->setText(QStringLiteral("支付給"));
        Label3->setText(QStringLiteral("從科目"));
    }

    const Ledger& ledger = m_ctx.ledger;
    const QString typed = Combo3->currentText();
    const QSignalBlocker blocker(Combo3);
    Combo3->clear();
    // Texts without the account mark belong to no account and are left out.
    auto pass = [&](const QString& account) {
        const QStringList texts = DetailText::textsOf(ledger, account);
        Combo3->addItems(texts);
        return !texts.isEmpty();
    };
    if (pass(first)) Combo3->addItem(Separator);
    if (pass(second)) Combo3->addItem(Separator);
    if (!pass(DetailText::unfiledOwner()) && Combo3->count() > 0)
        Combo3->removeItem(Combo3->count() - 1);
    Combo3->setEditText(typed);
}

void InputForm::Cob4_Click() {
    if (Cob4->currentIndex() < 0) return;
    const Ledger& ledger = m_ctx.ledger;
    const QString account = Cob4->currentText();
    const QString typed = Combo1->currentText();
    const QSignalBlocker blocker(Combo1);
    Combo1->clear();
    Combo1->addItems(DetailText::textsOf(ledger, account));
    Combo1->setEditText(typed);
}

void InputForm::kindFilterClick(QComboBox* list, QPushButton* const* buttons, int count, int index,
                                bool firstList) {
    {
        const QSignalBlocker blocker(list);
        list->clear();
        for (int j = 0; j < count; ++j) {
            if (j != index) buttons[j]->setText(buttons[j]->text().left(1));
        }
        QPushButton* b = buttons[index];
        if (b->text().size() == 1) {
            static const int kinds[] = {KindAsset, KindLiability, KindIncome, KindExpense};
            list->addItems(AccountNames::ofKinds(m_ctx.ledger, AccountKinds::of(kinds[index])));
            b->setText(b->text() + u'*');
        } else {
            list->addItems(AccountNames::ofKinds(m_ctx.ledger, offeredKinds(firstList)));
            b->setText(b->text().left(1));
        }
        list->setCurrentIndex(-1);
    }
    if (list->isVisible()) list->showPopup();
}

void InputForm::Command6_Click(int index) {
    if (index >= 0 && index < 4) kindFilterClick(Cob2, Command6.data(), 4, index, true);
}

void InputForm::Command10_Click(int index) {
    if (index >= 0 && index < 2) kindFilterClick(Cob3, Command10.data(), 2, index, false);
}

void InputForm::ReleaseKindFilter(bool firstList) {
    QPushButton* const* buttons = firstList ? Command6.data() : Command10.data();
    const int count = firstList ? 4 : 2;
    QComboBox* list = firstList ? Cob2 : Cob3;
    for (int j = 0; j < count; ++j) {
        QPushButton* b = buttons[j];
        if (b->text().size() != 2) continue;
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(AccountNames::ofKinds(m_ctx.ledger, offeredKinds(firstList)));
        b->setText(b->text().left(1));
        list->setCurrentIndex(-1);
        return;
    }
}

// ---- Counters and note ------------------------------------------------------------------

void InputForm::UpdateDetailCounter(bool remark) {
    const int n = Ansi::byteLength(Combo3->currentText());
    QString text = QStringLiteral("明細字數: ") + QString::number(n);
    if (remark && n > 60) text += QStringLiteral(" (超過上限60字，請縮減字數)");
    Label13->setText(text);
}

void InputForm::UpdateNoteCounter(bool remark) {
    const int n = Ansi::byteLength(NoteText());
    QString text = QStringLiteral("備註字數: ") + QString::number(n);
    if (remark && n > 5000) text += QStringLiteral(" (超過上限5000字，請縮減字數)");
    Label14->setText(text);
    // Where the column is narrower than designed the remark wraps onto more lines: the row
    // grows with them instead of drawing them over its neighbours.
    const int lines = Label14->width() > 0 ? Label14->heightForWidth(Label14->width()) : 0;
    if (lines > Label14->minimumHeight()) {
        Label14->setMinimumHeight(lines);
        fitHeight(width());
    }
}

QString InputForm::NoteText() const {
    QString note = Text1->toPlainText();
    note.replace(u'\n', QStringLiteral("\r\n"));
    return note;
}

void InputForm::SetNoteText(const QString& note) {
    Text1->setPlainText(note);
}

// ---- Dates and commands -------------------------------------------------------------------

void InputForm::Cmd4_Click() {
    DTPicker1->setDate(m_ctx.services.clock().today());
}

void InputForm::Command7_Click() {
    DTPicker1->setDate(DTPicker1->date().addDays(-1));
}

void InputForm::Command9_Click() {
    DTPicker1->setDate(DTPicker1->date().addDays(1));
}

void InputForm::Help_Click() {
    OpenWebPage(m_ctx.services.shell(), m_ctx.services.prompts(), WebPages::Tutorial);
}

void InputForm::Cal_Click() {
    if (!m_ctx.services.shell().startCalculator())
        m_ctx.services.prompts().warning(QStringLiteral("找不到小算盤程式!"));
}
