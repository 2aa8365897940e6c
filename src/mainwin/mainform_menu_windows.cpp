// The main window's own steps after windows of other subsystems, opened from the menu bar,
// have closed.
#include "mainwin/mainform.h"

#include "store/appcontext.h"

void MainForm::AfterGeneralSettings(const QString& accStateBefore, const QString& trvStateBefore)
{
    // The settings window has already stored the options and recomputed the totals; only
    // what it cannot do itself follows: the tree's amounts and the window's layout.
    const SettingMirrors& set = m_ctx.session.Setting;
    if (set.AccState.mid(1, 1) != accStateBefore.mid(1, 1))
        UpdateTreeTotals();
    if (set.AccState.left(1) != accStateBefore.left(1) || set.TrvState != trvStateBefore)
        LayoutPass();
}

void MainForm::AfterBudgetTable()
{
    UpdateTreeTotals();
    ListAccountRecords(SelectedAccountIndex());
}

void MainForm::AfterDownload()
{
    const int account = SelectedAccountIndex();
    UpdateTreeTotals();
    if (account == 0)
        return; // a kind root: the list stays as it was
    ListAccountRecords(account);
    SelectLastRow();
}
