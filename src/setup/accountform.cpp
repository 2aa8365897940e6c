// 科目設定: controls, opening, the fields of the selected account, 匯出.
#include "setup/accountform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/desktop/listchoice.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "rules/entry/entryrules.h"
#include "rules/setup/detailtextlines.h"
#include "setup/accountnoteform.h"
#include "store/accountnames.h"
#include "store/appcontext.h"
#include "store/figures.h"

namespace {

QStringList suggestedNames(int kind) {
    switch (kind) {
    case KindAsset:
        return {"銀行存款", "應收帳款"};
    case KindLiability:
        return {"信用卡", "貸款", "應付帳款"};
    case KindIncome:
        return {"薪資", "利息收入", "投資收益", "股票收入", "獎金", "其他收入"};
    case KindExpense:
        return {"餐飲費", "交通費",   "服裝費",   "書籍費",   "醫療費",
                "水電費", "房租支出", "教育支出", "股票支出", "其他支出"};
    default:
        return {};
    }
}

QString helpText() {
    const QChar q(u'"');
    return QStringList{
        "使用" + QString(q) + "所屬科目" + q +
            "欄位可於科目底下建立子科目，軟體會用『 . 』(小數點)來表示多層科目群組。",
        "",
        "例一：交通費.公車",
        "例二：交通費.捷運",
        "例三：交通費.火車",
        "例四：交通費.火車.自強號",
        "例五：交通費.計程車",
        "",
        "則於科目欄樹狀列表顯示如下：",
        "",
        "支出",
        " ├ 交通費",
        " │   ├ 公車",
        " │   ├ 捷運",
        " │   ├ 火車",
        " │   │  └ 自強號",
        " │   └ 計程車",
        " └ 餐飲費" + QString(q)}
        .join("\r\n");
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

AccountForm::AccountForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("AccountForm"));
    setWindowTitle(QStringLiteral("科目設定"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    buildControls();
    connectHandlers();
    Form_Load();
}

void AccountForm::buildControls() {
    List1 = named(new QListWidget(this), "List1");
    List1->setMinimumSize(220, 360);

    Option1 = named(new QRadioButton(QStringLiteral("資產(&A)"), this), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("負債(&L)"), this), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("收入(&I)"), this), "Option3");
    Option4 = named(new QRadioButton(QStringLiteral("支出(&E)"), this), "Option4");
    auto* kindRow = new QHBoxLayout;
    for (QRadioButton* o : {Option1, Option2, Option3, Option4})
        kindRow->addWidget(o);

    Label2 = named(new QLabel(QStringLiteral("所屬科目"), this), "Label2");
    Combo1 = named(new QComboBox(this), "Combo1");
    Label5 = named(new QLabel(QStringLiteral("科目名稱"), this), "Label5");
    Cob1 = named(new QComboBox(this), "Cob1");
    Cob1->setEditable(true);
    Cob1->setInsertPolicy(QComboBox::NoInsert); // Enter runs 新增, it adds no item
    // The name is composed from what was typed: the suggestions stay in the drop-down and
    // are never completed into the text.
    Cob1->setCompleter(nullptr);
    Label4 = named(new QLabel(QStringLiteral("↑這裡可以用打字輸入"), this), "Label4");
    Label1 = named(new QLabel(helpText(), this), "Label1");
    Label1->setWordWrap(true);

    Cmd0 = named(new QPushButton(QStringLiteral("新增"), this), "Cmd0");
    Cmd1 = named(new QPushButton(QStringLiteral("編輯"), this), "Cmd1");
    Cmd2 = named(new QPushButton(QStringLiteral("刪除"), this), "Cmd2");
    Command1 = named(new QPushButton(QStringLiteral("匯出"), this), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("排序"), this), "Command2");
    Command3 = named(new QPushButton(QStringLiteral("上移"), this), "Command3");
    Command4 = named(new QPushButton(QStringLiteral("下移"), this), "Command4");
    Command5 = named(new QPushButton(QStringLiteral("上移至該分類最頂"), this), "Command5");
    Command6 = named(new QPushButton(QStringLiteral("下移至該分類最底"), this), "Command6");
    Cmd0->setDefault(true);

    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    m_status = named(new QLabel(StatusBar1), "StatusPanel1");
    StatusBar1->addWidget(m_status, 1);

    auto* fields = new QGridLayout;
    fields->addLayout(kindRow, 0, 0, 1, 3);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Combo1, 1, 1, 1, 2);
    fields->addWidget(Label5, 2, 0);
    fields->addWidget(Cob1, 2, 1, 1, 2);
    fields->addWidget(Label4, 3, 1, 1, 2);
    fields->addWidget(Cmd0, 4, 0);
    fields->addWidget(Cmd1, 4, 1);
    fields->addWidget(Cmd2, 4, 2);
    fields->addWidget(Command1, 5, 0);
    fields->addWidget(Command2, 5, 1);
    fields->addWidget(Command3, 6, 0);
    fields->addWidget(Command4, 6, 1);
    fields->addWidget(Command5, 7, 0, 1, 2);
    fields->addWidget(Command6, 7, 2);
    // The help text scrolls within the room left under the buttons rather than being
    // drawn under them when the window is shorter than the text.
    auto* help = new QScrollArea(this);
    help->setObjectName(QStringLiteral("Label1Area"));
    help->setFrameShape(QFrame::NoFrame);
    help->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    help->setWidgetResizable(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setWidget(Label1);
    fields->addWidget(help, 8, 0, 1, 3);
    fields->setRowStretch(8, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(List1, 1);
    body->addLayout(fields);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(body, 1);
    layout->addWidget(StatusBar1);
}

void AccountForm::connectHandlers() {
    OnItemChosen(List1, [this] {
        if (!m_quietList) List1_Click();
    });
    // Whatever changes the selection, 編輯 and 刪除 follow it at once.
    connect(List1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { showFixedCommands(); });
    connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    connect(Option3, &QRadioButton::clicked, this, [this] { Option3_Click(); });
    connect(Option4, &QRadioButton::clicked, this, [this] { Option4_Click(); });
    connect(Cmd0, &QPushButton::clicked, this, [this] { Cmd0_Click(); });
    connect(Cmd1, &QPushButton::clicked, this, [this] { Cmd1_Click(); });
    connect(Cmd2, &QPushButton::clicked, this, [this] { Cmd2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
}

void AccountForm::Form_Load() {
    const int rowHeight = qMax(1, Cob1->fontMetrics().height() + 4);
    BoundDropHeight(Cob1, 300 / rowHeight);
    BoundDropHeight(Combo1, 400 / rowHeight);
    Option1->setChecked(true);
    Cob1->addItem(QStringLiteral("銀行存款"));
    refillList();
    AccountsAddCombo();
    Cob1->setEditText(QString());
    Cob1->setFocus();
}

QString AccountForm::StatusText() const {
    return m_status->text();
}

void AccountForm::setStatus() {
    m_status->setText(QStringLiteral("共有 %1 個科目").arg(List1->count()));
}

QRadioButton* AccountForm::option(int kind) const {
    switch (kind) {
    case KindAsset:
        return Option1;
    case KindLiability:
        return Option2;
    case KindIncome:
        return Option3;
    case KindExpense:
        return Option4;
    default:
        return nullptr;
    }
}

int AccountForm::SelectedKind() const {
    for (int kind = KindAsset; kind <= KindExpense; ++kind)
        if (option(kind)->isChecked()) return kind;
    return 0;
}

double AccountForm::OpeningHundredths(const std::optional<QString>& answer) {
    if (!answer) return 0;
    const std::optional<double> v = EntryRules::typedNumber(*answer);
    if (!v || *v < 0) return 0;
    return EntryRules::amountHundredths(*v, 1).value_or(0);
}

void AccountForm::refillList() {
    m_quietList = true;
    List1->clear();
    const Ledger& ledger = m_ctx.ledger;
    QStringList names;
    names.reserve(ledger.AccountCount);
    for (int i = 1; i < ledger.AccountCount; ++i)
        names.append(Runtime::trimBlanks(ledger.Accounts[size_t(i)].Name.trimmed()));
    List1->addItems(names);
    List1->setCurrentRow(-1);
    m_quietList = false;
    setStatus();
}

void AccountForm::selectRow(int row) {
    m_quietList = true;
    List1->setCurrentRow(row);
    m_quietList = false;
    List1_Click();
}

int AccountForm::selectedRow() const {
    return SelectedRow(List1).row();
}

void AccountForm::showFixedCommands() {
    const int row = selectedRow();
    const bool fixed = row >= 0 && isFixedAccount(List1->item(row)->text());
    Cmd1->setEnabled(!fixed);
    Cmd2->setEnabled(!fixed);
}

bool AccountForm::isFixedAccount(const QString& name) {
    return name.startsWith(u"Eq") || name == u"A-現金";
}

int AccountForm::selectedRowOrTell() {
    const int row = selectedRow();
    if (row < 0) {
        m_ctx.services.prompts().information(QStringLiteral("請先選擇一個科目!"));
        return -1;
    }
    return row;
}

void AccountForm::warn(const QString& text) {
    m_ctx.services.prompts().warning(text);
}

void AccountForm::AccountsAddCombo() {
    Combo1->clear();
    Combo1->addItem(AccountNames::noParent());
    const QString prefix = AccountNames::prefixOf(SelectedKind());
    if (!prefix.isEmpty()) {
        for (int row = 0; row < List1->count(); ++row) {
            const QString name = List1->item(row)->text();
            if (name.startsWith(prefix)) Combo1->addItem(Runtime::trimBlanks(name));
        }
    }
    Combo1->setCurrentIndex(0);
    FitComboDropWidth(Combo1);
}

void AccountForm::optionClicked(int kind) {
    const QString typed = Cob1->currentText();
    Cob1->clear();
    Cob1->addItems(suggestedNames(kind));
    Cob1->setEditText(typed);
    AccountsAddCombo();
}

void AccountForm::Option1_Click() {
    optionClicked(KindAsset);
}
void AccountForm::Option2_Click() {
    optionClicked(KindLiability);
}
void AccountForm::Option3_Click() {
    optionClicked(KindIncome);
}
void AccountForm::Option4_Click() {
    optionClicked(KindExpense);
}

void AccountForm::List1_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    const QString name = List1->item(row)->text();
    if (PrefixKindCode(name) == KindEquity) {
        for (int kind = KindAsset; kind <= KindExpense; ++kind) {
            QRadioButton* o = option(kind);
            o->setAutoExclusive(false);
            o->setChecked(false);
            o->setAutoExclusive(true);
        }
        showFixedCommands();
        Cob1->setEditText(QStringLiteral("Equity"));
        Combo1->clear();
        Combo1->addItem(AccountNames::noParent());
        Combo1->setCurrentIndex(0);
        FitComboDropWidth(Combo1);
        return;
    }
    const int kind = AccountNames::kindOfPrefix(name);
    if (QRadioButton* o = option(kind); o && !o->isChecked()) {
        o->setChecked(true);
        optionClicked(kind);
    }
    showFixedCommands();

    QStringList parts = name.mid(2).split(u'.');
    const QString own = parts.takeLast();
    const QString parent = name.left(2) + parts.join(u'.'); // under the name's own prefix
    Combo1->setCurrentIndex(0);
    for (int i = 0; i < Combo1->count(); ++i) {
        if (Combo1->itemText(i) == parent) {
            Combo1->setCurrentIndex(i);
            break;
        }
    }
    Cob1->setEditText(Combo1->currentIndex() > 0 ? own : name.mid(2));
}

void AccountForm::Command1_Click() {
    QStringList names;
    for (int row = 0; row < List1->count(); ++row)
        names.append(List1->item(row)->text());
    AccountNoteForm form(m_ctx, this);
    form.SetText(DetailTextLines::accountLines(names));
    m_ctx.services.modal().run(form);
}

void AccountForm::keyPressEvent(QKeyEvent* event) {
    // Esc is the 編輯 key here, as the window's cancel button; it never closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (Cmd1->isEnabled()) Cmd1->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
