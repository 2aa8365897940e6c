#pragma once
// A main window over a ledger with six accounts and a few quick entries, and the quick-entry
// list built over an entry window, for the tests of the list and of its editor.
#include <QComboBox>
#include <QStatusBar>
#include <QTreeWidget>
#include <memory>

#include "entry/inputform.h"
#include "entry/quickform.h"
#include "mainwin/mainform_fixture.h"

struct QuickFixture : MainFormFixture {
    std::unique_ptr<InputForm> input;
    std::unique_ptr<QuickForm> quick;

    QuickFixture() {
        b.account("A-現金")
            .account("A-銀行")
            .account("L-信用卡")
            .account("I-薪水")
            .account("E-餐飲費")
            .account("Equity");
    }
    QuickFixture& q(const QString& a1, const QString& a2, const QString& amount,
                    const QString& detail = QString(), const QString& note = QString()) {
        b.quickEntry({a1, a2, amount, detail, note});
        return *this;
    }
    // The list window loaded (its constructor) and shown, as the entry window opens it.
    QuickForm& openQuick() {
        if (!form) open();
        env.ctx.ledger.QuickEntriesChanged = false;
        form->SetLedgerChanged(false);
        input = std::make_unique<InputForm>(env.ctx, *form);
        quick = std::make_unique<QuickForm>(env.ctx, *form, *input);
        quick->show();
        return *quick;
    }
    bool changed() const { return env.ctx.ledger.QuickEntriesChanged || form->LedgerChanged(); }

    // Column c (1 = 分類 .. 5 = 備註, 6 = slot) of every listed row.
    QStringList rows(int c) const {
        QStringList texts;
        for (int r = 0; r < quick->Liv1->topLevelItemCount(); ++r)
            texts << quick->Liv1->topLevelItem(r)->text(c);
        return texts;
    }
    QStringList filterItems() const {
        QStringList texts;
        for (int i = 0; i < quick->Combo1->count(); ++i)
            texts << quick->Combo1->itemText(i);
        return texts;
    }
    // Stored quick entries as "Account1|Account2|Amount|Detail|Note".
    QStringList table() const {
        QStringList texts;
        const Ledger& l = env.ctx.ledger;
        for (int i = 1; i < l.QuickEntryCount; ++i) {
            const QuickEntry& e = l.QuickEntries[size_t(i)];
            texts << QStringList{e.Account1, e.Account2, e.Amount, e.Detail, e.Note}.join('|');
        }
        return texts;
    }
    // Selects exactly the rows r (0-based), the first of them current.
    void select(const QList<int>& rs) {
        QTreeWidget* list = quick->Liv1;
        list->clearSelection();
        list->setCurrentItem(list->topLevelItem(rs.first()));
        for (int r : rs)
            list->topLevelItem(r)->setSelected(true);
    }
};
