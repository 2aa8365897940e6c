#include "reports/budgetform.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "rules/entry/entryrules.h"
#include "store/appcontext.h"
#include "windowparts/plainbutton.h"

namespace {
const QString Caption = QStringLiteral("編列預算");
const QString CaptionPrefix = QStringLiteral("編列預算：");
const char* const LabelTexts[BudgetCells::CellCount] = {
    "年度預算", "一月份", "二月份", "三月份", "四月份",   "五月份",   "六月份",
    "七月份",   "八月份", "九月份", "十月份", "十一月份", "十二月份",
};

// A box is read as the check reads it; a box that is no number as a whole counts the
// number at its start ("12a000" is 12), and one without a number at its start counts 0.
double boxValue(const QLineEdit* box) {
    if (const auto v = BudgetCells::typedValue(box->text())) return *v;
    const double lead = std::fabs(Runtime::leadingNumber(box->text()));
    return BudgetCells::hundredths(lead) ? lead : 0;
}
} // namespace

BudgetForm::BudgetForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("BudgetForm"));
    setWindowTitle(Caption);

    auto* grid = new QGridLayout;
    for (int i = 0; i < BudgetCells::CellCount; ++i) {
        Label1[size_t(i)] = new QLabel(QString::fromUtf8(LabelTexts[i]), this);
        Label1[size_t(i)]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        auto* box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setAlignment(Qt::AlignRight);
        box->installEventFilter(this);
        Text1[size_t(i)] = box;
        // The year box on its own row, the months in two columns of six.
        const int row = i == 0 ? 0 : 1 + (i - 1) % 6;
        const int col = i == 0 ? 0 : ((i - 1) / 6) * 2;
        grid->addWidget(Label1[size_t(i)], row, col);
        grid->addWidget(box, row, col + 1);
    }

    Command1 = PlainButton(this, QLatin1String("Command1"), QStringLiteral("完成"));
    Command1->setDefault(true);
    Command2 = PlainButton(this, QLatin1String("Command2"), QStringLiteral("月份加總"));
    Command3 = PlainButton(this, QLatin1String("Command3"), QStringLiteral("上一個"));
    Command4 = PlainButton(this, QLatin1String("Command4"), QStringLiteral("下一個"));
    Command5 = PlainButton(this, QLatin1String("Command5"), QStringLiteral("月份均分"));
    Command6 = PlainButton(this, QLatin1String("Command6"), QStringLiteral("清除"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    auto* note =
        new QLabel(QStringLiteral("每個帳本預算是一年份，因此請設定為最新年份的預算"), StatusBar1);
    note->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(note, 1);

    auto* tools = new QHBoxLayout;
    tools->addWidget(Command2);
    tools->addWidget(Command5);
    tools->addWidget(Command6);
    tools->addStretch(1);
    auto* steps = new QHBoxLayout;
    steps->addWidget(Command3);
    steps->addWidget(Command4);
    steps->addStretch(1);
    steps->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(grid);
    layout->addLayout(tools);
    layout->addLayout(steps);
    layout->addWidget(StatusBar1);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });

    // Form_Load: no close box; the only way out is 完成.
    RemoveCloseCommand(this);
}

void BudgetForm::OpenRecord(int index) {
    showRecord(index);
    const bool account = index >= 1;
    Command3->setEnabled(account);
    Command4->setEnabled(account);
    bi = short(index);
}

void BudgetForm::showRecord(int index) {
    const AccountRecord* record = BudgetCells::target(m_ctx.ledger, index);
    if (!record) return;
    for (int i = 0; i < BudgetCells::CellCount; ++i)
        Text1[size_t(i)]->setText(BudgetCells::boxText(record->Budget[size_t(i)]));
    setWindowTitle(CaptionPrefix + record->Name.trimmed());
}

bool BudgetForm::validate() {
    for (int i = 0; i < BudgetCells::CellCount; ++i) {
        QLineEdit* box = Text1[size_t(i)];
        const std::optional<double> v = BudgetCells::typedValue(box->text());
        if (!v) {
            m_ctx.services.prompts().warning(Label1[size_t(i)]->text() +
                                             QStringLiteral("的金額部分不是數字格式"));
            return false;
        }
        box->setText(BudgetCells::normalisedText(*v));
    }
    return true;
}

void BudgetForm::storeBoxes() {
    AccountRecord* record = BudgetCells::target(m_ctx.ledger, bi);
    if (!record) return;
    std::array<double, BudgetCells::CellCount> cells{};
    for (int i = 0; i < BudgetCells::CellCount; ++i) {
        const std::optional<double> v = BudgetCells::typedValue(Text1[size_t(i)]->text());
        cells[size_t(i)] = v ? BudgetCells::hundredths(*v).value_or(0) : 0;
    }
    BudgetCells::store(*record, cells);
}

void BudgetForm::Command1_Click() {
    if (!validate()) return;
    storeBoxes();
    m_ctx.ledger.markBudgetsChanged();
    accept();
}

void BudgetForm::step(int direction) {
    const Ledger& ledger = m_ctx.ledger;
    if (direction < 0 ? bi < 2 : bi >= ledger.AccountCount - 1) return;
    if (bi < 1) return; // the totals have no neighbours
    if (!validate()) return;
    storeBoxes();
    for (int i = bi + direction; i >= 1 && i < ledger.AccountCount; i += direction) {
        // The equity account has no budget: passed over, its cells untouched.
        if (ledger.Accounts[size_t(i)].Name.startsWithAscii("Equity")) continue;
        showRecord(i);
        bi = short(i);
        return;
    }
}

void BudgetForm::Command3_Click() {
    step(-1);
}

void BudgetForm::Command4_Click() {
    step(+1);
}

void BudgetForm::Command2_Click() {
    double sum = 0;
    for (int i = 1; i < BudgetCells::CellCount; ++i)
        sum += boxValue(Text1[size_t(i)]);
    Text1[0]->setText(EntryRules::numberText(sum));
}

void BudgetForm::Command5_Click() {
    const QString month = EntryRules::numberText(boxValue(Text1[0]) / 12);
    for (int i = 1; i < BudgetCells::CellCount; ++i)
        Text1[size_t(i)]->setText(month);
}

void BudgetForm::Command6_Click() {
    for (QLineEdit* box : Text1)
        box->setText(QStringLiteral("0"));
}

void BudgetForm::Text1_GotFocus(int index) {
    QLineEdit* box = Text1[size_t(index)];
    box->selectAll();
    // A click that gave the focus would place the cursor afterwards; select again then.
    QTimer::singleShot(0, box, [box] {
        if (box->hasFocus()) box->selectAll();
    });
}

bool BudgetForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int i = 0; i < BudgetCells::CellCount; ++i)
            if (watched == Text1[size_t(i)]) Text1_GotFocus(i);
    return QDialog::eventFilter(watched, event);
}
