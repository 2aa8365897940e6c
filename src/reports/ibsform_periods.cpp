// The statements window's dates and periods: the two 顯示 buttons, the period list and its
// arrows.
#include "reports/ibsform.h"

#include "platform/clock.h"
#include "reports/periodarrows.h"
#include "reports/reportchart.h"
#include "store/appcontext.h"
#include "store/periods.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabBar>

namespace {
QString keyOf(const QDateEdit* picker) {
    return Periods::dateKey(picker->date());
}
} // namespace

void IBSForm::Cmd3_Click() {
    const QString d = keyOf(DTPicker1);
    BalanceSheetTitle = ledgerTitle(d + QStringLiteral("資產負債表"));
    BScal(d);
    BSshow();
    showStatus();
}

void IBSForm::Cmd4_Click() {
    m_incomeByHand = true;
    showIncome(keyOf(DTPicker3), keyOf(DTPicker2));
}

void IBSForm::showIncome(const QString& s, const QString& e) {
    IncomeStatementTitle = ledgerTitle(s + QLatin1Char('-') + e + QStringLiteral("_損益表"));
    IScal(s, e);
    ISshow();
    MSChart3->SetRowLabel(s + QLatin1Char('-') + e + QStringLiteral(" 收入"));
    MSChart4->SetRowLabel(s + QLatin1Char('-') + e + QStringLiteral(" 支出"));
    showStatus();
}

void IBSForm::Combo1_Click() {
    const int choice = Combo1->currentIndex();
    if (choice < 0) return;
    m_incomeByHand = false;
    const QDate today = m_ctx.services.clock().today();
    // A year box that holds no year from 1601 to 9999 counts as the current year, and shows
    // it, so that the title and the figures name the same year.
    if (!Periods::yearFromText(Text1->text())) Text1->setText(QString::number(today.year()));
    const int year = Periods::reportYear(Text1->text(), today);
    const Periods::ReportPeriod p =
        Periods::reportPeriod(choice, year, m_ctx.session.Setting, today);
    if (choice == Periods::All) {
        IncomeStatementTitle = ledgerTitle(QStringLiteral("損益表"));
    } else {
        DTPicker3->setDate(QDate::fromString(p.start, QStringLiteral("yyyyMMdd")));
        DTPicker2->setDate(QDate::fromString(p.lastShown, QStringLiteral("yyyyMMdd")));
        IncomeStatementTitle =
            ledgerTitle(Text1->text() + QStringLiteral("年") +
                        (choice == Periods::WholeYear ? QString() : Combo1->currentText()) +
                        QStringLiteral("損益表"));
    }
    IScal(p.start, p.end);
    ISshow();
    showStatus();
}

void IBSForm::UpDown1_UpClick() {
    if (PeriodArrows::StepMonth(Combo1, Text1, false, PeriodArrows::StatementsList,
                                m_ctx.services.clock().today()))
        Combo1_Click();
}

void IBSForm::UpDown1_DownClick() {
    if (PeriodArrows::StepMonth(Combo1, Text1, true, PeriodArrows::StatementsList,
                                m_ctx.services.clock().today()))
        Combo1_Click();
}

void IBSForm::UpDown2_UpClick() {
    PeriodArrows::StepYear(Text1, true, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}

void IBSForm::UpDown2_DownClick() {
    PeriodArrows::StepYear(Text1, false, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}
