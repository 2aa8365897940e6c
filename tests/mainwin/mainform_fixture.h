#pragma once
// A main window over a ledger built in memory, for the window tests of this folder.
//
//   MainFormFixture f;
//   f.b.account("A-現金").account("E-餐飲費").account("Equity");
//   f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
//   MainForm& w = f.open(Periods::All, 2024);   // period set, tree built
//   f.list("E-餐飲費");                            // select the node and list it
//   QCOMPARE(f.column(3), QStringList{"120.00"});
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <memory>

#include "mainwin/mainform.h"
#include "store/amounts.h"
#include "store/periods.h"
#include "support/entrylistrow.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"

struct MainFormFixture {
    TestEnv env;
    LedgerBuilder b{env.ctx.ledger};
    std::unique_ptr<MainForm> form;

    MainFormFixture() { env.makeLedger(QStringLiteral("Amy"), QStringLiteral("Home")); }

    // Creates the window (without the start sequence), sets the period without a relisting
    // and builds the tree, as the opening of a ledger does.
    MainForm& open(int period = Periods::All, int year = 2024) {
        form = std::make_unique<MainForm>(env.ctx);
        form->EndProcess = [] {};
        // The view switches as a start without stored settings leaves them.
        for (QAction* on : {form->View_Add, form->View_Show, form->View_Balance, form->View_Budget})
            on->setChecked(true);
        setPeriod(period, year);
        form->BuildAccountTree();
        return *form;
    }

    void setPeriod(int period, int year) {
        form->SuppressPeriodClick = -1;
        form->Text2->setText(QString::number(year));
        form->Combo1->setCurrentIndex(period);
        form->SuppressPeriodClick = 0;
    }

    // Selects the node of key and runs the tree's click handling; lists it again when it
    // was listed already (the click handling does nothing then).
    void list(const QString& key) {
        const bool listed = form->ListedAccount == key;
        form->SelectNode(form->NodeByKey(key));
        form->Trv1Click();
        if (listed) form->ListAccountRecords(FindAccountIndex(env.ctx.ledger, key));
    }

    // Texts of a 1-based column of the entry list, top to bottom.
    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < form->EntryRowCount(); ++r)
            texts << form->EntryRowText(r, c - 1);
        return texts;
    }

    EntryListRowRef row(int r) const { return {form->Liv1, r}; }
    EntryListRowRef currentRow() const { return EntryListRowRef::current(form->Liv1); }
    QList<EntryListRowRef> selectedRows() const { return SelectedEntryRows(form->Liv1); }
    QString nodeText(const QString& key) const {
        QTreeWidgetItem* n = form->NodeByKey(key);
        return n ? n->text(0) : QStringLiteral("<no node>");
    }
};
