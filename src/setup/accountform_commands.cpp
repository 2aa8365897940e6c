// 科目設定: 新增, 編輯, 刪除 and the ordering commands. Each reads the window's fields,
// lets AccountCommands check everything and change the tables in one step, then shows the
// table again.
#include "setup/accountform.h"

#include <QComboBox>
#include <QListWidget>

#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/accountcommands.h"
#include "store/appcontext.h"

using namespace AccountCommands;

void AccountForm::Cmd0_Click() {
    Ledger& ledger = m_ctx.ledger;
    const int kind = SelectedKind();
    QString name;
    const QString refusal =
        CheckAdd(ledger, kind, Combo1->currentText(), Cob1->currentText(), name);
    if (!refusal.isEmpty()) return warn(refusal);

    double opening = 0;
    if (AsksOpeningBalance(kind)) {
        opening = OpeningHundredths(
            m_ctx.services.prompts().input(QStringLiteral("請設定 %1 科目的初始金額。").arg(name),
                                           QString(), QStringLiteral("0")));
    }
    const QString today = Runtime::dateText(m_ctx.services.clock().today());
    if (!AddAccount(ledger, name, kind, opening, today)) return warn(addFailed());
    refillList();
    AccountsAddCombo();
    selectRow(List1->count() - 1);
}

void AccountForm::Cmd1_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    Ledger& ledger = m_ctx.ledger;
    NameMapping mapping;
    const QString refusal = PlanRename(ledger, row + 1, SelectedKind(), Combo1->currentText(),
                                       Cob1->currentText(), mapping);
    if (!refusal.isEmpty()) return warn(refusal);
    ApplyRename(ledger, mapping);
    for (int r = 0; r < List1->count(); ++r)
        List1->item(r)->setText(Runtime::trimBlanks(ledger.Accounts[size_t(r + 1)].Name.trimmed()));
    AccountsAddCombo();
    List1_Click();
}

void AccountForm::Cmd2_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = m_ctx.services.prompts();
    const bool used = AccountInUse(ledger, row + 1);
    if (used &&
        prompts.question(QStringLiteral("這個科目已經有建立資料，確定要刪除嗎？若確定會把"
                                        "這個科目的相關資料全部刪除!")) != Prompts::Answer::Yes)
        return;
    DeleteAccount(ledger, row + 1);
    if (used) prompts.information(QStringLiteral("科目刪除完成"));
    refillList(); // also the status count, which would otherwise keep the old number
    AccountsAddCombo();
}

void AccountForm::Command2_Click() {
    SortAccounts(m_ctx.ledger);
    refillList();
}

void AccountForm::Command3_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    const int moved = MoveAccount(m_ctx.ledger, row + 1, true);
    refillList();
    selectRow(moved - 1);
}

void AccountForm::Command4_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    const int moved = MoveAccount(m_ctx.ledger, row + 1, false);
    refillList();
    selectRow(moved - 1);
}

void AccountForm::Command5_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    MoveAccountToKindEnd(m_ctx.ledger, row + 1, true);
    refillList();
}

void AccountForm::Command6_Click() {
    const int row = selectedRowOrTell();
    if (row < 0) return;
    MoveAccountToKindEnd(m_ctx.ledger, row + 1, false);
    refillList();
}
