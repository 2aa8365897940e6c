// Adding and editing entries: the main window prepares the entry windows and shows them;
// storing, validation and the refresh afterwards are the entry windows' own work.
#include "mainwin/mainform.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTreeView>
#include <algorithm>

#include "entry/editform.h"
#include "entry/inputform.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "store/appcontext.h"
#include "windowparts/rowselection.h"

namespace {

const QString FullLedgerNotice = QStringLiteral("記錄筆數已經到達") +
                                 QString::number(Ledger::EntryCapacity) +
                                 QStringLiteral("筆上限，建議使用結帳功能來清除舊資料");

bool ledgerFull(const Ledger& ledger) {
    return ledger.EntryCount > Ledger::EntryCapacity;
}

} // namespace

int MainForm::rowEntry(int row) const {
    const int i = RowEntryIndex(row);
    return i >= 1 && i < m_ctx.ledger.EntryCount ? i : 0;
}

bool MainForm::warnLedgerFull() {
    if (!ledgerFull(m_ctx.ledger)) return false;
    m_ctx.services.prompts().warning(QStringLiteral("記錄筆數已經到達") +
                                     QString::number(Ledger::EntryCapacity) +
                                     QStringLiteral("筆上限，請使用結帳功能清除舊資料!"));
    return true;
}

void MainForm::Data_New_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    if (ledgerFull(m_ctx.ledger)) {
        prompts.information(FullLedgerNotice);
        return;
    }
    InputForm form(m_ctx, *this, this);
    form.PrepareNew();
    m_ctx.services.modal().run(form);
}

void MainForm::MenuTools_New_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    if (warnLedgerFull()) return;
    const QList<int> rows = SelectedRows();
    if (rows.size() != 1) {
        Data_New_Click();
        return;
    }
    const int i = rowEntry(rows.first());
    if (i == 0) {
        prompts.warning(QStringLiteral("新增記錄發生錯誤!"));
        return;
    }
    InputForm form(m_ctx, *this, this);
    InputForm::CopyClears clears;
    clears.date = NewClear_Date->isChecked();
    clears.amount = NewClear_Type1->isChecked();
    clears.detail = NewClear_Type2->isChecked();
    clears.note = NewClear_Type3->isChecked();
    clears.invoice = NewClear_Type4->isChecked();
    clears.colour = NewClear_Type5->isChecked();
    form.PrepareCopy(i, clears);
    m_ctx.services.modal().run(form);
}

void MainForm::Liv1_DblClick() {
    if (EntryRowCount() == 0) return;
    Prompts& prompts = m_ctx.services.prompts();
    const int current = CurrentRow();
    if (current < 0) return;
    const int i = rowEntry(current);
    if (i == 0) {
        prompts.warning(QStringLiteral("編輯記錄發生錯誤!"));
        return;
    }
    InputForm form(m_ctx, *this, this);
    SelEdit = short(i);
    form.PrepareEdit(i);
    m_ctx.services.modal().run(form);
}

void MainForm::MenuTools_Edit_Click() {
    const int n = int(SelectedRows().size());
    if (n == 1) {
        Liv1_DblClick();
    } else if (n > 1) {
        SelEdit = short(n);
        EditForm form(m_ctx, *this, this);
        m_ctx.services.modal().run(form);
    }
}

QList<int> MainForm::SelectedRows() const {
    return SelectedListRows(*Liv1->selectionModel());
}
