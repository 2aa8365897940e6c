#include "schedule/clockform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "rules/schedule/entryreminders.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/mainview.h"

namespace {} // namespace

ClockForm::ClockForm(MainView& main, QWidget* parent) : QDialog(parent), m_main(main) {
    setObjectName(QStringLiteral("ClockForm"));
    setWindowTitle(QStringLiteral("記錄提醒"));
    Label1 = NamedLabel(this, "Label1", QStringLiteral("日期"));
    Label2 = NamedLabel(this, "Label2", QStringLiteral("分類"));
    Label3 = NamedLabel(this, "Label3", QStringLiteral("科目"));
    Label4 = NamedLabel(this, "Label4", QStringLiteral("金額"));
    Label5 = NamedLabel(this, "Label5", QStringLiteral("明細"));
    Label6 = NamedLabel(this, "Label6", QStringLiteral("備註"));
    Label7 = NamedLabel(this, "Label7");
    Label8 = NamedLabel(this, "Label8");
    Label9 = NamedLabel(this, "Label9");
    Label10 = NamedLabel(this, "Label10");
    Label11 = NamedLabel(this, "Label11");
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Command2 = NamedButton(this, "Command2", QStringLiteral("上一個"));
    Command3 = NamedButton(this, "Command3", QStringLiteral("下一個"));
    Command4 = NamedButton(this, "Command4", QStringLiteral("這筆不用再提醒"));
    Command1 = NamedButton(this, "Command1", QStringLiteral("結束"));
    connect(Command1, &QPushButton::clicked, this, &ClockForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ClockForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ClockForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &ClockForm::Command4_Click);
    StatusBar1 = StatusLine(this, m_statusText);

    auto* grid = new QGridLayout;
    QLabel* captions[] = {Label1, Label2, Label3, Label4, Label5, Label6};
    QWidget* values[] = {Label7, Label8, Label9, Label10, Label11, Text1};
    for (int r = 0; r < 6; ++r) {
        grid->addWidget(captions[r], r, 0);
        grid->addWidget(values[r], r, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command2, Command3, Command4, Command1})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(9, 9, 9, 0);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
    setMinimumWidth(420);
}

QString ClockForm::StatusText() const {
    return m_statusText->text();
}

void ClockForm::ClockShow() {
    const int n = int(Rows.size());
    if (Idx < 1 || Idx > n) return;
    const Row& r = Rows[size_t(Idx - 1)];
    QString head;
    if (r.clock != 1) {
        head = QStringLiteral("(不提醒)");
        Command4->setEnabled(false);
    } else {
        head = r.clockDay != 0 ? QStringLiteral("(前%1天提醒)").arg(r.clockDay)
                               : QStringLiteral("(當天提醒)");
        Command4->setEnabled(true);
    }
    Label7->setText(r.date + QLatin1Char(' ') + head);
    Label8->setText(r.account1);
    Label9->setText(r.account2);
    Label10->setText(r.amount);
    Label11->setText(r.detail);
    Text1->setText(r.note);
    Text1->setCursorPosition(0); // a long note shows its start, not its end
    QString status = QStringLiteral("共有 %1 個提醒").arg(n);
    if (n > 1) status += QStringLiteral("，目前在第 %1 個").arg(Idx);
    m_statusText->setText(status);
    const int kind = PrefixKindCode(r.account1);
    if (kind == KindLiability || kind == KindAsset) {
        Label2->setText(QStringLiteral("轉換到"));
        Label3->setText(QStringLiteral("從科目"));
    } else if (kind == KindIncome) {
        Label2->setText(QStringLiteral("進帳從"));
        Label3->setText(QStringLiteral("到科目"));
    } else if (kind == KindExpense) {
        Label2->setText(QStringLiteral("支付給"));
        Label3->setText(QStringLiteral("從科目"));
    }
}

void ClockForm::Command1_Click() {
    accept();
}

void ClockForm::Command2_Click() {
    if (Idx == 1) return;
    --Idx;
    ClockShow();
}

void ClockForm::Command3_Click() {
    if (Idx >= int(Rows.size())) return;
    ++Idx;
    ClockShow();
}

// 這筆不用再提醒: the entry's reminder is switched off in the ledger; the row stays.
void ClockForm::Command4_Click() {
    if (Idx < 1 || Idx > int(Rows.size())) return;
    Row& r = Rows[size_t(Idx - 1)];
    Ledger& ledger = m_main.context().ledger;
    ledger.clearEntryReminder(r.index);
    r.clock = 0;
    r.clockDay = 0;
    ledger.markChanged();
    ClockShow();
}

void CheckRecordReminders(MainView& main) {
    AppContext& ctx = main.context();
    const Ledger& ledger = ctx.ledger;
    const auto due = DueEntryReminders(ledger, ctx.services.clock().today());
    if (due.empty()) return;
    // At start-up the ledger opens before the main window is shown: it is shown first, so
    // that this window opens over it.
    ShowOwnerFirst(main.Window());
    ClockForm form(main, &main.Window());
    for (int i : due) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        ClockForm::Row r;
        r.date = e.Date.trimmed().trimmed();
        r.account1 = e.Account1.trimmed().trimmed();
        r.account2 = e.Account2.trimmed().trimmed();
        r.amount = FormatAmount(e.Amount, ctx.session).trimmed();
        r.detail = e.Detail.trimmed().trimmed();
        r.note = ledger.EntryNotes[size_t(i)].Note.trimmed().trimmed();
        r.clockDay = ledger.EntryNotes[size_t(i)].RemindDays;
        r.index = i;
        form.Rows.push_back(r);
    }
    if (form.Rows.size() == 1) {
        form.Command2->hide();
        form.Command3->hide();
    }
    form.Idx = 1;
    form.ClockShow();
    ctx.services.modal().run(form);
}
