#pragma once
// A main window on an in-memory ledger, without the login: the tree is built, one account
// is listed for the whole period ("全部"), and the rows can be selected by position.
#include <QComboBox>
#include <QTreeWidget>
#include <memory>

#include "support/ledgerbuilder.h"
#include "mainwin/mainform.h"
#include "support/testenv.h"

struct CommandsFixture {
    TestEnv env;
    LedgerBuilder build{env.ctx.ledger};
    std::unique_ptr<MainForm> window;

    CommandsFixture() { env.makeLedger(QStringLiteral("Amy"), QStringLiteral("Home")); }

    // The accounts most cases use, in table order.
    CommandsFixture& accounts()
    {
        build.account(QStringLiteral("Equity"))
            .account(QStringLiteral("A-現金"))
            .account(QStringLiteral("A-銀行"))
            .account(QStringLiteral("L-信用卡"))
            .account(QStringLiteral("I-薪資"))
            .account(QStringLiteral("E-餐飲費"))
            .account(QStringLiteral("E-交通費"));
        return *this;
    }

    // Builds the window and lists the account of nodeKey ("" lists nothing).
    MainForm& open(const QString& nodeKey)
    {
        window = std::make_unique<MainForm>(env.ctx);
        MainForm& w = *window;
        w.SuppressPeriodClick = 1;
        w.Combo1->setCurrentIndex(0);
        w.SuppressPeriodClick = 0;
        w.BuildAccountTree();
        if (!nodeKey.isEmpty())
            select(nodeKey);
        env.ctx.ledger.LedgerChangedFlag.clear();
        return w;
    }

    void select(const QString& nodeKey)
    {
        MainForm& w = *window;
        w.SelectNode(w.NodeByKey(nodeKey));
        w.UpdateTreeTotals();
        w.ListAccountRecords(w.SelectedAccountIndex());
    }

    QTreeWidget* list() const { return window->Liv1; }
    int rowCount() const { return list()->topLevelItemCount(); }
    QTreeWidgetItem* row(int r) const { return list()->topLevelItem(r); }
    QList<int> listedEntries() const
    {
        QList<int> entries;
        for (int r = 0; r < rowCount(); ++r)
            entries << MainForm::RowEntryIndex(row(r));
        return entries;
    }
    // Selects exactly the rows at the given positions (from 0); the first becomes current.
    void selectRows(const QList<int>& rows)
    {
        list()->clearSelection();
        for (int r : rows)
            row(r)->setSelected(true);
        if (!rows.isEmpty())
            list()->setCurrentItem(row(rows.first()), 0, QItemSelectionModel::NoUpdate);
    }
    QList<int> selectedEntries() const
    {
        QList<int> entries;
        for (QTreeWidgetItem* r : window->SelectedRows())
            entries << MainForm::RowEntryIndex(r);
        return entries;
    }
    const EntryCore& core(int i) const { return env.ctx.ledger.Entries[size_t(i)]; }
};
