#include "schedule/memoclockform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "store/appcontext.h"

namespace {

QString headText(int clockDay) {
    return clockDay != 0 ? QStringLiteral("(前%1天提醒)").arg(clockDay)
                         : QStringLiteral("(當天提醒)");
}

} // namespace

MemoClockForm::MemoClockForm(AppContext& ctx, MemoBook& book, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_book(book) {
    setObjectName(QStringLiteral("MemoClockForm"));
    const QDate today = ctx.services.clock().today();
    setWindowTitle(QStringLiteral("備忘提醒 ") + today.toString(QStringLiteral("yyyy/MM/dd")) +
                   QStringLiteral(" (星期") + WeekdayCharacter(today) + QLatin1Char(')'));
    Label1 = NamedLabel(this, "Label1", QStringLiteral("日期"));
    Label4 = NamedLabel(this, "Label4", QStringLiteral("類型"));
    Label2 = NamedLabel(this, "Label2", QStringLiteral("內容"));
    Label3 = NamedLabel(this, "Label3");
    Label5 = NamedLabel(this, "Label5");
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Command2 = NamedButton(this, "Command2", QStringLiteral("上一個"));
    Command3 = NamedButton(this, "Command3", QStringLiteral("下一個"));
    Command4 = NamedButton(this, "Command4", QStringLiteral("這筆不用再提醒"));
    Command1 = NamedButton(this, "Command1", QStringLiteral("結束"));
    connect(Command1, &QPushButton::clicked, this, &MemoClockForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MemoClockForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MemoClockForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MemoClockForm::Command4_Click);
    StatusBar1 = StatusLine(this, m_statusText);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label3, 0, 1);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(Label5, 1, 1);
    grid->addWidget(Label2, 2, 0, Qt::AlignTop);
    grid->addWidget(Text1, 2, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command2, Command3, Command4, Command1})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(9, 9, 9, 0);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
    resize(420, 260);
}

QString MemoClockForm::StatusText() const {
    return m_statusText->text();
}

void MemoClockForm::ClockShow() {
    const int n = int(Rows.size());
    if (Idx < 1 || Idx > n) return;
    const MemoReminderRow& r = Rows[size_t(Idx - 1)];
    QString type;
    if (r.clock == 1) {
        type = QStringLiteral("一般備忘 ") + headText(r.clockDay);
        Command4->setEnabled(true);
    } else if (r.index != 0) {
        type = QStringLiteral("一般備忘 (不提醒)");
        Command4->setEnabled(false);
    } else {
        type = QStringLiteral("定期備忘 ") + headText(r.clockDay);
        Command4->setEnabled(false);
    }
    Label3->setText(r.date);
    Label5->setText(type);
    Text1->setPlainText(r.text);
    QString status = QStringLiteral("共有 %1 筆備忘").arg(n);
    if (n > 1) status += QStringLiteral("，目前在第 %1 筆").arg(Idx);
    m_statusText->setText(status);
}

void MemoClockForm::Command1_Click() {
    accept();
}

void MemoClockForm::Command2_Click() {
    if (Idx == 1) return;
    --Idx;
    ClockShow();
}

void MemoClockForm::Command3_Click() {
    if (Idx >= int(Rows.size())) return;
    ++Idx;
    ClockShow();
}

void MemoClockForm::Command4_Click() {
    if (Idx < 1 || Idx > int(Rows.size())) return;
    MemoReminderRow& r = Rows[size_t(Idx - 1)];
    if (r.clock != 1 || r.index < 1 || r.index >= m_book.MemoCount) return;
    m_book.Memos[size_t(r.index)].RemindOn = 0;
    m_book.Memos[size_t(r.index)].RemindDays = 0;
    r.clock = 0;
    r.clockDay = 0;
    m_memosChanged = true;
    ClockShow();
}

void MemoClockForm::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        if (m_memosChanged && !SaveMemoFile(m_book, m_ctx.session.userFolder()))
            m_ctx.services.prompts().warning(QStringLiteral("一般備忘儲存失敗"));
    }
    QDialog::done(result);
}

void CheckMemoReminders(AppContext& ctx, QWidget* parent) {
    MemoBook book;
    LoadMemoFiles(book, ctx.session.userFolder());
    const auto due = DueMemoReminders(book, ctx.services.clock().today());
    if (due.empty()) return;
    MemoClockForm form(ctx, book, parent);
    form.Rows = due;
    if (due.size() == 1) {
        form.Command2->hide();
        form.Command3->hide();
    }
    form.Idx = 1;
    form.ClockShow();
    ctx.services.modal().run(form);
    // However the window ended, its unload has run (done() runs it once).
    form.done(form.result());
}
