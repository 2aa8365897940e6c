// Commands that change entries straight from the entry list: copy, delete, tick, colour and
// the move within a day. Each checks everything it needs before it touches a table, so a
// refused or failed command leaves the ledger as it was.
#include "mainwin/mainform.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/colourtable.h"

QList<int> MainForm::rowEntries(const QList<QTreeWidgetItem*>& rows) const {
    QList<int> indices;
    for (const QTreeWidgetItem* row : rows) {
        const int i = rowEntry(row);
        if (i == 0) return {};
        indices.append(i);
    }
    return indices;
}

void MainForm::MenuTools_Copy_Click() {
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = *m_ctx.services.prompts;
    const QList<QTreeWidgetItem*> rows = SelectedRows();
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
    const QString today = Runtime::dateText(m_ctx.services.clock->today());
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
    if (Liv1->topLevelItemCount() > 0) selectRowsFrom(first);
    SetLedgerChanged(true);
}

void MainForm::selectRowsFrom(int firstEntryIndex) {
    Liv1->clearSelection();
    QTreeWidgetItem* current = nullptr;
    for (int r = Liv1->topLevelItemCount() - 1; r >= 0; --r) {
        QTreeWidgetItem* row = Liv1->topLevelItem(r);
        if (RowEntryIndex(row) >= firstEntryIndex) {
            row->setSelected(true);
            current = row;
        }
    }
    if (current) showCurrentRow(current);
}

void MainForm::Data_Del_Click() {
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = *m_ctx.services.prompts;
    const QList<QTreeWidgetItem*> rows = SelectedRows();
    const int n = int(rows.size());
    if (n == 0) return;
    if (prompts.question(QStringLiteral("您確定要刪除這 ") + QString::number(n) +
                             QStringLiteral(" 筆資料嗎？"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;

    // Every row must name an entry before the first mark is written.
    const QList<int> doomed = rowEntries(rows);
    if (doomed.isEmpty()) {
        prompts.warning(QStringLiteral("刪除記錄發生錯誤!"));
        return;
    }
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

void MainForm::Liv1_ItemCheck(QTreeWidgetItem* row) {
    Ledger& ledger = m_ctx.ledger;
    const int i = rowEntry(row);
    if (i == 0) return;
    const qint16 checked = row->checkState(0) == Qt::Checked ? -1 : 0;
    // Any other change of the row's first cell also reports here; only a new mark counts.
    if ((ledger.EntryInvoices[size_t(i)].Checked != 0) == (checked != 0)) return;
    ledger.EntryInvoices[size_t(i)].Checked = checked;
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
    if (Liv1->topLevelItemCount() == 0) return;
    Ledger& ledger = m_ctx.ledger;
    if (c < 0 || c >= ColourTable::Count) {
        m_ctx.services.prompts->plain(QStringLiteral("發生錯誤"));
        return;
    }
    const QList<QTreeWidgetItem*> rows = SelectedRows();
    const QList<int> indices = rowEntries(rows);
    if (indices.size() != rows.size()) {
        m_ctx.services.prompts->plain(QStringLiteral("發生錯誤"));
        return;
    }
    const QSignalBlocker blocker(Liv1);
    const QColor colour = ColourTable::colour(c);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        ledger.EntryStyles[size_t(indices[k])].ColourIndex = quint8(c);
        for (int column : {4, 5, 6})
            rows[k]->setForeground(column, colour);
    }
    Liv1->viewport()->update();
    SetLedgerChanged(true);
}

void MainForm::MenuTools_Up_Click() {
    moveSelectedEntry(-1);
}

void MainForm::MenuTools_Down_Click() {
    moveSelectedEntry(+1);
}

void MainForm::moveSelectedEntry(int step) {
    const int count = Liv1->topLevelItemCount();
    if (count == 0) return;
    QTreeWidgetItem* row = Liv1->currentItem();
    if (!row || !row->isSelected()) {
        const QList<QTreeWidgetItem*> rows = SelectedRows();
        if (rows.isEmpty()) return;
        row = rows.first();
    }
    const int r = Liv1->indexOfTopLevelItem(row);
    const int n = r + step;
    if (r < 0 || n < 0 || n >= count) return;
    QTreeWidgetItem* neighbour = Liv1->topLevelItem(n);
    if (row->text(0) != neighbour->text(0)) return;
    Ledger& ledger = m_ctx.ledger;
    const int a = rowEntry(row);
    const int b = rowEntry(neighbour);
    if (a == 0 || b == 0) return;

    ledger.swapEntries(a, b);
    // The program's own changes to the rows must not reach the tick handler.
    const QSignalBlocker blocker(Liv1);
    for (int column = 0; column <= 6; ++column) {
        const QString t = row->text(column);
        row->setText(column, neighbour->text(column));
        neighbour->setText(column, t);
    }
    const Qt::CheckState check = row->checkState(0);
    row->setCheckState(0, neighbour->checkState(0));
    neighbour->setCheckState(0, check);
    row->setSelected(false);
    neighbour->setSelected(true);
    Liv1->setCurrentItem(neighbour, 0, QItemSelectionModel::NoUpdate);
    Liv1->viewport()->update();
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
        m_ctx.services.prompts->information(QStringLiteral("您所選擇記錄的金額總合是：") +
                                            shown(total));
        return;
    }

    // Stored amounts with their stored sign, split by what the entry is to the listed account.
    double in = 0, out = 0, income = 0, expense = 0;
    for (int k : entries) {
        const EntryCore& e = ledger.Entries[size_t(k)];
        const double amount = e.Amount.value();
        if (IsAssetOrLiabilityName(e.Account1)) {
            if (e.Account2.trimmed() == ListedAccount) out += amount;
            if (e.Account1.trimmed() == ListedAccount) in += amount;
        } else if (e.Account1.startsWithAscii("I-")) {
            income += amount;
        } else if (e.Account1.startsWithAscii("E-")) {
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
    m_ctx.services.prompts->plain(text);
}
