#pragma once
// The main-window fixture with what the command tests add: a common account table, a listed
// account, and rows selected by position.
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

    int rowCount() const { return form->Liv1->topLevelItemCount(); }
    // Entry indices of the rows, top to bottom.
    QList<int> listedEntries() const {
        QList<int> entries;
        for (int r = 0; r < rowCount(); ++r)
            entries << MainForm::RowEntryIndex(row(r));
        return entries;
    }
    // Selects exactly the rows at the given positions (from 0); the first becomes current.
    void selectRows(const QList<int>& rows) {
        QTreeWidget* list = form->Liv1;
        list->clearSelection();
        for (int r : rows)
            row(r)->setSelected(true);
        if (!rows.isEmpty())
            list->setCurrentItem(row(rows.first()), 0, QItemSelectionModel::NoUpdate);
    }
    QList<int> selectedEntries() const {
        QList<int> entries;
        for (QTreeWidgetItem* r : form->SelectedRows())
            entries << MainForm::RowEntryIndex(r);
        return entries;
    }
};
