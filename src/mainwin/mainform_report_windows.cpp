// The report windows of the statements menu and the tree's budget command.
#include "mainwin/mainform.h"

#include "platform/modalrunner.h"
#include "reports/budgetform.h"
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
    m_ctx.services.modal->run(form);
}
