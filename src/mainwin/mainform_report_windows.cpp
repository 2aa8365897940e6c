// The report windows of the statements menu and the tree's budget command.
#include "mainwin/mainform.h"

#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "reports/budgetform.h"
#include "reports/budgetshowform.h"
#include "reports/ieform.h"
#include "reports/yearform.h"
#include "store/amounts.h"
#include "store/appcontext.h"

void MainForm::MenuTools2_Budget_Click() {
    QString key = SelectedNodeKey();
    while (key.endsWith(u' '))
        key.chop(1);
    static const QStringList noBudget = {QStringLiteral("資產"), QStringLiteral("負債"),
                                         QStringLiteral("收入"), QStringLiteral("支出"),
                                         QStringLiteral("Equity")};
    if (key.isEmpty() || noBudget.contains(key)) return;
    const int index = FindAccountIndex(m_ctx.ledger, key);
    if (index == 0) return;
    BudgetForm form(m_ctx, this);
    form.OpenRecord(index);
    m_ctx.services.modal().run(form);
}

void MainForm::Statement_Budget_Click() {
    {
        const OwnChange own(*this);
        BudgetShowForm form(m_ctx, *this, this);
        m_ctx.services.modal().run(form);
    }
    AfterBudgetTable();
}

void MainForm::Statement_Year_Click() {
    // One yearly window: brought to the front while open, loaded anew after a close.
    if (!m_yearForm) {
        m_yearForm = new YearForm(m_ctx, *this, this);
        m_yearForm->setAttribute(Qt::WA_DeleteOnClose);
    }
    ShowOwnedWindow(*m_yearForm);
}

void MainForm::Statement_IE_Click() {
    IEForm form(m_ctx, *this, this);
    m_ctx.services.modal().run(form);
}
