#pragma once
// The main-window fixture with what the command tests add: a common account table, a listed
// account, and rows selected by position.
#include <QDate>
#include <functional>

#include "mainform_fixture.h"

struct CommandsFixture : MainFormFixture {
    // The accounts most cases use, in table order.
    CommandsFixture& accounts() {
        b.account(QStringLiteral("Equity"))
            .account(QStringLiteral("A-現金"))
            .account(QStringLiteral("A-銀行"))
            .account(QStringLiteral("L-信用卡"))
            .account(QStringLiteral("I-薪資"))
            .account(QStringLiteral("E-餐飲費"))
            .account(QStringLiteral("E-交通費"));
        return *this;
    }

    // The accounts, then for each detail one E-餐飲費 entry paid from A-現金, a day apart from
    // 2024/01/02, amounts 1.00, 2.00, 3.00 ...; `each` adds to every entry, and modifiers
    // chained on the result apply to the last one.
    LedgerBuilder& meals(const QStringList& details,
                         const std::function<void(LedgerBuilder&)>& each = {}) {
        accounts();
        for (qsizetype i = 0; i < details.size(); ++i) {
            const QString date =
                QDate(2024, 1, 2).addDays(i).toString(QStringLiteral("yyyy/MM/dd"));
            b.entry(date, QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"),
                    100.0 * double(i + 1), details[i]);
            if (each) each(b);
        }
        return b;
    }

    // The window for the whole period, listing the account of nodeKey ("" lists nothing),
    // with nothing unsaved.
    MainForm& open(const QString& nodeKey) {
        MainFormFixture::open();
        if (!nodeKey.isEmpty()) select(nodeKey);
        env.ctx.ledger.LedgerChangedFlag.clear();
        return *form;
    }

    // Selects the node and lists its account in the documented refresh order.
    void select(const QString& nodeKey) {
        form->SelectNode(form->NodeByKey(nodeKey));
        form->UpdateTreeTotals();
        form->ListAccountRecords(form->SelectedAccountIndex());
    }

    int rowCount() const { return form->EntryRowCount(); }
    // Entry indices of the rows, top to bottom.
    QList<int> listedEntries() const {
        QList<int> entries;
        for (int r = 0; r < rowCount(); ++r)
            entries << form->RowEntryIndex(r);
        return entries;
    }
    // Selects exactly the rows at the given positions (from 0); the first becomes current.
    void selectRows(const QList<int>& rows) {
        QTreeView* list = form->Liv1;
        list->clearSelection();
        for (int r : rows)
            row(r)->setSelected(true);
        if (!rows.isEmpty())
            list->selectionModel()->setCurrentIndex(row(rows.first()).index(),
                                                    QItemSelectionModel::NoUpdate);
    }
    QList<int> selectedEntries() const {
        QList<int> entries;
        for (int r : form->SelectedRows())
            entries << form->RowEntryIndex(r);
        return entries;
    }
};
