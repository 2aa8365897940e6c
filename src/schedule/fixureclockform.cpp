#include "schedule/fixureclockform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "rules/schedule/recurringposting.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "windowparts/mainview.h"

namespace {

constexpr int RecordRole = Qt::UserRole;
constexpr int StatusColumn = 5;
const QString Posted = QStringLiteral("成功");
const QString Failed = QStringLiteral("失敗");

} // namespace

FixureClockForm::FixureClockForm(MainView& main, QWidget* parent) : QDialog(parent), m_main(main) {
    setObjectName(QStringLiteral("FixureClockForm"));
    setWindowTitle(QStringLiteral("定期記錄"));

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    Liv1->setHeaderLabels({QStringLiteral("日期"), QStringLiteral("分類"), QStringLiteral("科目"),
                           QStringLiteral("金額"), QStringLiteral("明細"), QString()});
    const int widths[] = {80, 105, 105, 80, 245, 40};
    for (int c = 0; c < 6; ++c)
        Liv1->setColumnWidth(c, widths[c]);
    // The date column holds the check box too: wide enough for both in the list's font.
    Liv1->setColumnWidth(
        0, std::max(widths[0],
                    Liv1->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00")) + 40));
    Liv1->header()->setStretchLastSection(false);

    Command1 = NamedButton(this, "Command1", QStringLiteral("新增"));
    Command2 = NamedButton(this, "Command2", QStringLiteral("結束"));
    Command3 = NamedButton(this, "Command3", QStringLiteral("全選"));
    Command4 = NamedButton(this, "Command4", QStringLiteral("取消全選"));
    connect(Command1, &QPushButton::clicked, this, &FixureClockForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FixureClockForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FixureClockForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FixureClockForm::Command4_Click);

    StatusBar1 = StatusLine(this, m_statusText);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(Liv1, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
    resize(700, 360);
}

void FixureClockForm::AddRow(const DueOccurrence& occurrence) {
    const AppContext& ctx = m_main.context();
    const RecurringRecord& r = ctx.ledger.RecurringRecords[size_t(occurrence.record)];
    auto* row = new QTreeWidgetItem(Liv1);
    row->setText(0, occurrence.date);
    row->setText(1, r.Account1.trimmed());
    row->setText(2, r.Account2.trimmed());
    row->setText(3, FormatAmount(r.Amount, ctx.session));
    row->setText(4, r.Detail.trimmed());
    row->setData(0, RecordRole, occurrence.record);
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Checked);
    FitColumnsToTexts(Liv1, {0, 3}); // the date beside its check box, 金額
}

void FixureClockForm::SetStatusText(const QString& text) {
    m_statusText->setText(text);
}

QString FixureClockForm::StatusText() const {
    return m_statusText->text();
}

void FixureClockForm::setStatus(QTreeWidgetItem* row, const QString& status) {
    row->setText(StatusColumn, status);
    row->setForeground(StatusColumn, status == Failed ? QBrush(QColor(255, 0, 0)) : QBrush());
}

// 新增: books the ticked rows. A posted row is unticked and locked, so a second press never
// books the same occurrence twice.
void FixureClockForm::Command1_Click() {
    const int n = Liv1->topLevelItemCount();
    if (n == 0) return;
    AppContext& ctx = m_main.context();
    int ticked = 0;
    for (int i = 0; i < n; ++i) {
        QTreeWidgetItem* row = Liv1->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked) ++ticked;
        if (row->text(StatusColumn) != Posted) setStatus(row, QString());
    }
    if (ticked == 0) {
        ctx.services.prompts().warning(QStringLiteral("您還沒有勾選要新增的資料!"));
        return;
    }
    // Only what this press did is counted: rows posted by an earlier press keep their
    // "成功" but were not posted again.
    int ok = 0, bad = 0;
    // The main window shows what this press booked once, when it is done.
    const Ledger::ChangeScope scope(ctx.ledger);
    for (int i = 0; i < n; ++i) {
        QTreeWidgetItem* row = Liv1->topLevelItem(i);
        if (row->checkState(0) != Qt::Checked) continue;
        const int record = row->data(0, RecordRole).toInt();
        const PostResult result =
            PostRecurring(ctx.ledger, ctx.ledger.RecurringRecords[size_t(record)], row->text(0));
        if (result == PostResult::LedgerFull) {
            ctx.services.prompts().warning(QStringLiteral("資料筆數已經到達%1筆上限，請另開新帳本")
                                               .arg(Ledger::EntryCapacity));
            for (int k = i; k < n; ++k)
                if (Liv1->topLevelItem(k)->text(StatusColumn) != Posted)
                    setStatus(Liv1->topLevelItem(k), Failed);
            ctx.ledger.markChanged();
            return;
        }
        if (result == PostResult::Refused) {
            setStatus(row, Failed);
            ++bad;
            continue;
        }
        setStatus(row, Posted);
        ++ok;
        row->setCheckState(0, Qt::Unchecked);
        row->setFlags(row->flags() & ~Qt::ItemIsUserCheckable);
    }
    QString message;
    if (ok > 0) message += QStringLiteral("%1 筆資料新增成功!\r\n").arg(ok);
    if (bad > 0) message += QStringLiteral("%1 筆資料格式出錯，新增失敗!").arg(bad);
    ctx.services.prompts().information(message);
    QString status;
    if (ok > 0) status += QStringLiteral("%1 筆資料新增成功").arg(ok);
    if (ok > 0 && bad > 0) status += QStringLiteral("，");
    if (bad > 0) status += QStringLiteral("%1 筆資料新增失敗").arg(bad);
    SetStatusText(status);
    ctx.ledger.markChanged();
}

void FixureClockForm::Command2_Click() {
    accept();
}

void FixureClockForm::Command3_Click() {
    for (int i = 0; i < Liv1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = Liv1->topLevelItem(i);
        if (row->flags() & Qt::ItemIsUserCheckable) row->setCheckState(0, Qt::Checked);
    }
}

void FixureClockForm::Command4_Click() {
    for (int i = 0; i < Liv1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = Liv1->topLevelItem(i);
        if (row->flags() & Qt::ItemIsUserCheckable) row->setCheckState(0, Qt::Unchecked);
    }
}

void CheckDueRecurring(MainView& main) {
    AppContext& ctx = main.context();
    const auto due = DueRecurring(ctx.ledger, ctx.services.clock().today());
    if (due.empty()) return;
    // At start-up the ledger opens before the main window is shown: it is shown first, so
    // that this window opens over it.
    ShowOwnerFirst(main.Window());
    FixureClockForm form(main, &main.Window());
    for (const DueOccurrence& d : due)
        form.AddRow(d);
    form.SetStatusText(QStringLiteral("共 %1 筆資料").arg(due.size()));
    ctx.services.modal().run(form);
}
