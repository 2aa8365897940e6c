// Commands that change entries straight from the entry list: copy, delete, tick, colour and
// the move within a day. Each checks everything it needs before it touches a table, so a
// refused or failed command leaves the ledger as it was.
#include "mainwin/mainform.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTreeView>

#include "mainwin/entrylistmodel.h"
#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/colourtable.h"

QList<int> MainForm::rowEntries(const QList<int>& rows) const {
    QList<int> indices;
    for (const int row : rows) {
        const int i = rowEntry(row);
        if (i == 0) return {};
        indices.append(i);
    }
    return indices;
}

void MainForm::MenuTools_Copy_Click() {
    const OwnChange own(*this); // lists the copies and selects them below
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = m_ctx.services.prompts();
    const QList<int> rows = SelectedRows();
    const int n = int(rows.size());
    if (n == 0) return;
    if (warnLedgerFull()) return;
    if ((ledger.EntryCount - 1) + n > Ledger::EntryCapacity) {
        prompts.warning(
            QStringLiteral("剩下的資料筆數不足以容納這次的新增數量，請使用結帳功能清除舊資料!"));
        return;
    }
    const QList<int> sources = rowEntries(rows);
    if (sources.isEmpty()) {
        prompts.warning(QStringLiteral("複製記錄發生錯誤!"));
        return;
    }

    const int first = ledger.EntryCount;
    const QString today = Runtime::dateText(m_ctx.services.clock().today());
    // The copies are told as one change, when the command is done.
    const Ledger::ChangeScope scope(ledger);
    for (int s : sources) {
        LedgerEntry e = ledger.entry(s);
        e.invoice.Checked = 0; // a copy is never ticked
        e.style.Reserved = 0;
        if (CopyClear_Date->isChecked()) e.core.Date.set(today);
        if (CopyClear_Type1->isChecked()) e.core.Amount = TaggedNumber::fromInt16(0);
        if (CopyClear_Type2->isChecked()) e.core.Detail.set(QString());
        if (CopyClear_Type3->isChecked()) {
            e.note.Note.set(QString());
            e.noteRow.clear();
        }
        if (CopyClear_Type4->isChecked()) {
            e.invoice.InvoiceDigits.set(QString());
            e.style.InvoiceLetters.set(QString());
        }
        if (CopyClear_Type5->isChecked()) e.style.ColourIndex = 0;
        if (!ledger.addEntry(e)) {
            // Copies appended so far are dropped again: the command is all or nothing.
            ledger.truncateEntries(first);
            prompts.warning(QStringLiteral("複製記錄發生錯誤!"));
            return;
        }
    }

    UpdateTreeTotals();
    ListAccountRecords(SelectedAccountIndex());
    if (EntryRowCount() > 0) selectRowsFrom(first);
    SetLedgerChanged(true);
}

void MainForm::selectRowsFrom(int firstEntryIndex) {
    selectRowsWhere([&](int row) { return RowEntryIndex(row) >= firstEntryIndex; },
                    [](int) { return false; });
}

void MainForm::Data_Del_Click() {
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = m_ctx.services.prompts();
    const QList<int> rows = SelectedRows();
    const int n = int(rows.size());
    if (n == 0) return;
    if (prompts.question(QStringLiteral("您確定要刪除這 ") + QString::number(n) +
                             QStringLiteral(" 筆資料嗎？"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;

    // Every row must name an entry before the first mark is written.
    const QList<int> doomed = rowEntries(rows);
    const OwnChange own(*this); // lists what is left below
    if (doomed.isEmpty()) {
        prompts.warning(QStringLiteral("刪除記錄發生錯誤!"));
        return;
    }
    const Ledger::ChangeScope scope(ledger); // one change told, when the command is done
    for (int i : doomed)
        ledger.markEntryDeleted(i);
    ledger.compactEntries();

    UpdateTreeTotals();
    ListAccountRecords(SelectedAccountIndex());
    SelectLastRow();
    SetLedgerChanged(true);
}

void MainForm::MenuTools_Del_Click() {
    Data_Del_Click();
}

void MainForm::Liv1_ItemCheck(int row, bool checked) {
    Ledger& ledger = m_ctx.ledger;
    const int i = rowEntry(row);
    if (i == 0) return;
    // Only a new mark counts.
    if ((ledger.EntryInvoices[size_t(i)].Checked != 0) == checked) return;
    ledger.setEntryChecked(i, checked);
    // Every row of the entry shows the new mark.
    for (int r = 0; r < EntryRowCount(); ++r)
        if (RowEntryIndex(r) == i) Liv1Rows->refreshRow(r);
    SetLedgerChanged(true);
}

void MainForm::Liv1_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Liv1_DblClick();
    else if (key == Qt::Key_Delete)
        Data_Del_Click();
}

void MainForm::Liv1_MouseUp(Qt::MouseButton button, const QPoint& globalPos) {
    if (button != Qt::RightButton) return;
    MenuTools_Cal->setEnabled(!SelectedNodeKey().startsWith(QLatin1String("Eq")));
    Menu_MenuTools->popup(globalPos);
}

void MainForm::SetSelectedRecordsColor(int c) {
    if (EntryRowCount() == 0) return;
    Ledger& ledger = m_ctx.ledger;
    if (c < 0 || c >= ColourTable::Count) {
        m_ctx.services.prompts().plain(QStringLiteral("發生錯誤"));
        return;
    }
    const QList<int> rows = SelectedRows();
    const QList<int> indices = rowEntries(rows);
    if (indices.size() != rows.size()) {
        m_ctx.services.prompts().plain(QStringLiteral("發生錯誤"));
        return;
    }
    const Ledger::ChangeScope scope(ledger);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        ledger.setEntryColour(indices[k], quint8(c));
        Liv1Rows->refreshRow(rows[k]);
    }
    SetLedgerChanged(true);
}

void MainForm::MenuTools_Up_Click() {
    moveSelectedEntry(-1);
}

void MainForm::MenuTools_Down_Click() {
    moveSelectedEntry(+1);
}

void MainForm::moveSelectedEntry(int step) {
    const int count = EntryRowCount();
    if (count == 0) return;
    int r = CurrentRow();
    if (r < 0 || !IsRowSelected(r)) {
        const QList<int> rows = SelectedRows();
        if (rows.isEmpty()) return;
        r = rows.first();
    }
    const int n = r + step;
    if (r < 0 || n < 0 || n >= count) return;
    if (EntryRowText(r, 0) != EntryRowText(n, 0)) return;
    Ledger& ledger = m_ctx.ledger;
    const int a = rowEntry(r);
    const int b = rowEntry(n);
    if (a == 0 || b == 0) return;

    const OwnChange own(*this); // the two rows change places in the list itself
    ledger.swapEntries(a, b);
    // Each row keeps its entry index and now shows what the other row showed.
    Liv1Rows->swapShown(r, n);
    selectRow(r, false);
    selectRow(n, true);
    Liv1->selectionModel()->setCurrentIndex(Liv1Rows->index(n, 0), QItemSelectionModel::NoUpdate);
    SetLedgerChanged(true);
}

void MainForm::MenuTools_Cal_Click() {
    const Ledger& ledger = m_ctx.ledger;
    const QList<int> entries = rowEntries(SelectedRows());
    if (entries.isEmpty()) return;
    const Session& session = m_ctx.session;
    auto shown = [&session](double hundredths) { return FormatAmount(hundredths, session); };

    if (!IsAssetOrLiabilityName(ListedAccount)) {
        double total = 0;
        for (int k : entries)
            total += ledger.Entries[size_t(k)].Amount.value();
        m_ctx.services.prompts().information(QStringLiteral("您所選擇記錄的金額總合是：") +
                                             shown(total));
        return;
    }

    // Stored amounts with their stored sign, split by what the entry is to the listed account.
    double in = 0, out = 0, income = 0, expense = 0;
    for (int k : entries) {
        const EntryCore& e = ledger.Entries[size_t(k)];
        const double amount = e.Amount.value();
        const int kind = PrefixKindCode(e.Account1, true);
        if (kind == KindAsset || kind == KindLiability) {
            if (e.Account2.trimmed() == ListedAccount) out += amount;
            if (e.Account1.trimmed() == ListedAccount) in += amount;
        } else if (kind == KindIncome) {
            income += amount;
        } else if (kind == KindExpense) {
            expense += amount;
        }
    }
    const QString crlf = QStringLiteral("\r\n");
    const QString text =
        QStringLiteral("您所選擇記錄的金額計算如下：") + crlf + crlf +
        QStringLiteral("資產轉移(轉入)：") + shown(in) + crlf + QStringLiteral("資產轉移(轉出)：") +
        shown(out) + crlf + QStringLiteral("差額：") + shown(in - out) + crlf + crlf +
        QStringLiteral("收入總合：") + shown(income) + crlf + QStringLiteral("支出總合：") +
        shown(expense) + crlf + QStringLiteral("結餘：") + shown(income - expense);
    m_ctx.services.prompts().plain(text);
}
