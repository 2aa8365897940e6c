// The recurring-records editor and the memo book, opened from the menu bar, the toolbar
// and the entry list's context menu.
#include "mainwin/mainform.h"

#include <QTreeWidget>

#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "schedule/fixureform.h"
#include "schedule/memoform.h"
#include "store/appcontext.h"

void MainForm::Data_Fixure_Click() {
    FixureForm form(*this, this);
    m_ctx.services.modal().run(form);
    form.done(form.result()); // the unload runs however the window ended
}

// 以此筆記錄來設定定期紀錄: the editor opens with the selected entry's amount, detail and
// accounts; the user chooses the period and presses 新增.
void MainForm::MenuTools_SetFixure_Click() {
    const QList<int> entries = SelectedEntryIndices();
    if (EntryRowCount() == 0 || entries.isEmpty()) return;
    const int i = entries.first();
    if (i < 1 || i >= m_ctx.ledger.EntryCount) {
        m_ctx.services.prompts().warning(QStringLiteral("設定發生錯誤!"));
        return;
    }
    FixureForm form(*this, this);
    form.PresetEntry(m_ctx.ledger.Entries[size_t(i)]);
    m_ctx.services.modal().run(form);
    form.done(form.result());
}

void MainForm::Tools_Note_Click() {
    MemoForm form(m_ctx, this);
    m_ctx.services.modal().run(form);
    form.done(form.result());
}
