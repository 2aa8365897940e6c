#include "users/payoffform.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "rules/users/closebooks.h"
#include "rules/users/ledgerfolders.h"
#include "rules/users/namecheck.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "users/delform.h"
#include "windowparts/mainview.h"

namespace {
const QString DateLead = QStringLiteral("結帳日期為：");
} // namespace

PayoffForm::PayoffForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("PayoffForm"));
    setWindowTitle(QStringLiteral("結帳"));

    Label1 = new QLabel(
        QStringLiteral(
            "請輸入日期，程式將會刪除這日期之前的交易記錄，並重新計算資產及負債的餘額。"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("日期"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DTPicker1->setCalendarPopup(true);
    Check1 = new QCheckBox(QStringLiteral("結帳後刪除的資料另存至新帳本"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = new QPushButton(QStringLiteral("結帳(&P)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    // Enter cancels: a closing is never started by accident.
    Command2->setDefault(true);

    auto* date = new QHBoxLayout;
    date->addWidget(Label2);
    date->addWidget(DTPicker1);
    date->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(date);
    layout->addWidget(Check1);
    layout->addLayout(buttons);

    connect(Check1, &QCheckBox::clicked, this, &PayoffForm::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &PayoffForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PayoffForm::Command2_Click);

    // Form_Load
    DTPicker1->setDate(m_ctx.services.clock().today());
    Check1->setChecked(true);
}

void PayoffForm::Check1_Click() {
    if (Check1->isChecked()) return;
    if (m_ctx.services.prompts().question(QStringLiteral("這樣結帳後的資料將被永遠刪除，確定嗎？"),
                                          Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        Check1->setChecked(true);
}

void PayoffForm::Command1_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    const QDate date = DTPicker1->date();
    const ClosingDate d(date);
    if (!ClosingFits(m_ctx.ledger, date)) {
        prompts.warning(
            QStringLiteral("剩下的資料筆數不足以容納結帳後的初值記錄，請選擇較晚的結帳日期!"));
        return;
    }
    if (!Check1->isChecked()) {
        if (prompts.question(DateLead + d.text + QStringLiteral("\r\n\r\n確定結帳嗎？"),
                             Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
            return;
    } else if (!makeClosedLedger(d.text, d.key)) {
        return;
    }

    const ClosingResult result = CloseBooks(m_ctx.ledger, date);
    prompts.information(QStringLiteral("資料結帳完成"));
    SelectLastRowAfterRemoval(m_main);
    // A full table with nothing before the date: the ledger is as it was.
    if (result.removed > 0 || result.openings > 0) m_ctx.ledger.markChanged();
    accept();
}

bool PayoffForm::makeClosedLedger(const QString& dateText, const QString& key) {
    Prompts& prompts = m_ctx.services.prompts();
    const QString userFolder = m_ctx.session.userFolder();
    QString name;
    for (;;) {
        const auto answer = prompts.input(
            DateLead + dateText +
            QStringLiteral("\r\n\r\n請輸入新帳本名稱，結帳所刪除的資料將存入此帳本。"));
        if (!answer) return false;
        name = NameCheck::ledgerNameFromAnswer(*answer);
        if (name.isEmpty()) return false;
        // Checked before any file-system call: the name must stay one folder inside the user's.
        if (NameCheck::checkLedgerName(name) != NameCheck::Problem::None) break;
        if (!LedgerFolders::nameTaken(userFolder, name)) break;
        prompts.warning(QStringLiteral("帳本已存在，請輸入其他名稱。"));
    }
    const NameCheck::Problem problem = NameCheck::checkLedgerName(name);
    if (problem != NameCheck::Problem::None) {
        prompts.warning(NameCheck::ledgerMessage(problem));
        return false;
    }
    const QString folder = FileIO::subFolder(userFolder, name);
    LedgerFolders::removeLeftovers(userFolder);
    // Built out of sight and put in place whole: a failure never leaves half a ledger that
    // a refreshed list would show.
    const QString building = LedgerFolders::buildingFolder(folder);
    // The open ledger is closed only once its old entries are safe in the new ledger.
    if (!UserFiles::makePrivateFolder(building) ||
        !WriteClosedLedger(m_ctx.ledger, m_ctx.session, building, key) ||
        !LedgerFolders::placeBuiltLedger(building, folder)) {
        LedgerFolders::deleteLedger(building);
        prompts.warning(QStringLiteral("新帳本寫入失敗，結帳已取消。"));
        return false;
    }
    if (!AppendLedgerName(userFolder, name)) {
        LedgerFolders::deleteLedger(folder);
        prompts.warning(QStringLiteral("新帳本寫入失敗，結帳已取消。"));
        return false;
    }
    return true;
}

void PayoffForm::Command2_Click() {
    reject();
}
