// Windows of other subsystems opened from the menu bar: what the main window prepares
// before them and its own steps after they have closed.
#include "mainwin/mainform.h"

#include <QDateEdit>
#include <QTreeView>

#include "journal/diaryform.h"
#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "reports/ibsform.h"
#include "setup/accountform.h"
#include "setup/noteform.h"
#include "setup/setform.h"
#include "store/appcontext.h"
#include "users/delform.h"
#include "users/payoffform.h"

void MainForm::AfterGeneralSettings(const QString& accStateBefore, const QString& trvStateBefore,
                                    const QFont& listFontBefore) {
    // The figures have followed the ledger's notice, which the settings window gives when an
    // option of figures changed. Left is the window's own look: the layout reads the tree's
    // side and width, and the lists' columns fit a new size of type.
    const SettingMirrors& set = m_ctx.session.Setting;
    if (set.AccState.left(1) != accStateBefore.left(1) || set.TrvState != trvStateBefore)
        LayoutPass();
    if (Liv1->font() == listFontBefore) return;
    fitListColumns();
    // The open journal lists in the same size of type.
    if (m_diary) m_diary->FollowListFont();
}

void MainForm::Set_Acc_Click() {
    {
        // The tree is built once, when the window has closed.
        const OwnChange own(*this);
        AccountForm form(m_ctx, this);
        m_ctx.services.modal().run(form);
    }
    BuildAccountTree();
}

void MainForm::Set_General_Click() {
    const QString accBefore = m_ctx.session.Setting.AccState;
    const QString trvBefore = m_ctx.session.Setting.TrvState;
    const QFont fontBefore = Liv1->font();
    SetForm form(m_ctx, *this, this);
    m_ctx.services.modal().run(form);
    AfterGeneralSettings(accBefore, trvBefore, fontBefore);
}

void MainForm::Set_Note_Click() {
    {
        const OwnChange own(*this);
        NoteForm form(m_ctx, this);
        m_ctx.services.modal().run(form);
    }
    FillClassFilterCombo(); // the filter offers the texts as they are now
}

void MainForm::Statement_IBS_Click() {
    if (m_ibsForm) {
        ShowOwnedWindow(*m_ibsForm);
        return;
    }
    // Owned by the main window: when the program ends, it ends with it without its closing
    // step (its settings are written only when the user closes it).
    m_ibsForm = new IBSForm(m_ctx, *this, this);
    m_ibsForm->setAttribute(Qt::WA_DeleteOnClose);
    m_ibsForm->Form_Load();
    ShowOwnedWindow(*m_ibsForm);
}

void MainForm::AfterBudgetTable() {
    UpdateTreeTotals();
    ListAccountRecords(SelectedAccountIndex());
}

void MainForm::AfterDownload() {
    const int account = SelectedAccountIndex();
    UpdateTreeTotals();
    if (account == 0) return; // a kind root: the list stays as it was
    ListAccountRecords(account);
    SelectLastRow();
}

void MainForm::Data_Clear_Click() {
    DelForm form(m_ctx, *this, this);
    const QDate today = m_ctx.services.clock().today();
    form.DTPicker1->setDate(today);
    form.DTPicker2->setDate(today);
    m_ctx.services.modal().run(form);
}

void MainForm::Data_Payoff_Click() {
    PayoffForm form(m_ctx, *this, this);
    m_ctx.services.modal().run(form);
}
