#pragma once
// A main window over a small ledger with its journal, for the journal's window tests.
//
//   JournalFixture f;                       // five accounts, entries added by the test
//   f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 12000, "午餐");
//   DiaryForm& d = f.journal(Periods::All); // main window opened on that period, journal loaded
//   QCOMPARE(f.column(4), QStringList{"午餐"});
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTreeView>

#include "journal/diaryform.h"
#include "journal/journalmodel.h"
#include "mainwin/mainform_fixture.h"

struct JournalFixture : MainFormFixture {
    JournalFixture() {
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("A-銀行"));
        b.account(QStringLiteral("E-餐飲費")).account(QStringLiteral("I-薪水"));
        b.account(QStringLiteral("Equity"));
    }

    // Opens the main window on a period and lets the journal load from it.
    DiaryForm& journal(int period = Periods::All, int year = 2024) {
        open(period, year);
        return *form->Diary();
    }
    DiaryForm& d() const { return *form->OpenDiary(); }

    // Shown texts of journal column c (0-based), top to bottom.
    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < d().RowCount(); ++r)
            texts << d().model()->cellText(r, c);
        return texts;
    }
    QList<int> entriesShown() const {
        QList<int> out;
        for (int r = 0; r < d().RowCount(); ++r)
            out << d().RowEntryIndex(r);
        return out;
    }
    bool rowTicked(int r) const {
        return d().model()->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    // A user's click on a row's check box, as the view reports it.
    void clickCheck(int r, bool on) {
        d().model()->setData(d().model()->index(r, 0), on ? Qt::Checked : Qt::Unchecked,
                             Qt::CheckStateRole);
    }
    // Makes row r the current, only selected row.
    void choose(int r) {
        d().Liv1->selectionModel()->setCurrentIndex(d().model()->index(r, 0),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    }
    void select(const QList<int>& rows) {
        d().Liv1->selectionModel()->clearSelection();
        for (int r : rows)
            d().Liv1->selectionModel()->select(
                d().model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QString detailOf(int entry) const {
        return env.ctx.ledger.Entries[size_t(entry)].Detail.trimmed();
    }
};
