#pragma once
// Fills a Ledger in memory for a test, and writes it as a ledger folder when asked.
//
//   TestEnv env;
//   env.makeLedger("Amy", "Home");
//   LedgerBuilder b(env.ctx.ledger);
//   b.account("A-現金").account("E-餐飲費").account("Equity");   // kind from the prefix
//   b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐")     // amount in hundredths
//       .note("long note ...").invoice("AB", "12345678").checked().colour(2).remind(3);
//   b.detailText("E-餐飲費", "早餐").quickEntry({"E-餐飲費", "A-現金", "120", "午餐", ""});
//   QVERIFY(LedgerBuilder::writeFolder(env.ctx)); // every file, as a save with all flags set
//
// Entry modifiers (note, invoice, checked, colour, remind) apply to the last entry added.
// Amounts are stored as binary64 tagged numbers unless entryTagged() is used.
// The rows are the data a test starts from, as a reading of files would give them: the
// ledger's change notification stays silent for them (the windows of a test learn of them
// only when they list again; a test of the notification changes the ledger through windows
// or the ledger's own operations).
#include "store/appcontext.h"
#include "store/ledger.h"

class LedgerBuilder {
public:
    explicit LedgerBuilder(Ledger& ledger) : m_ledger(ledger) {}

    // The nine accounts of a new ledger, in their order.
    LedgerBuilder& defaultAccounts();
    // kind -1: from the prefix ("A-" 1, "L-" 2, "I-" 3, "E-" 4, anything else 0).
    LedgerBuilder& account(const QString& name, int kind = -1);
    // month 0 the year, 1..12 the months; on the account of that name (added if missing).
    LedgerBuilder& budget(const QString& name, int month, double hundredths);
    // Budget of the income (row 3) or expense (row 4) total.
    LedgerBuilder& totalBudget(int row, int month, double hundredths);

    LedgerBuilder& entry(const QString& date, const QString& account1, const QString& account2,
                         double hundredths, const QString& detail = QString());
    LedgerBuilder& entryTagged(const QString& date, const QString& account1,
                               const QString& account2, const TaggedNumber& amount,
                               const QString& detail = QString());
    LedgerBuilder&
    note(const QString& fullNote); // Note field and, when longer than 100 bytes, the note row
    LedgerBuilder& invoice(const QString& letters, const QString& digits);
    LedgerBuilder& checked(bool on = true);
    LedgerBuilder& colour(int index);
    LedgerBuilder& remind(int days);

    LedgerBuilder& detailText(const QString& account, const QString& text);
    LedgerBuilder& quickEntry(const QuickEntry& q);
    // period: 0 yearly .. 5 even months; when as the recurring window writes it.
    LedgerBuilder& recurring(int period, const QString& when, const QString& account1,
                             const QString& account2, double hundredths, const QString& detail,
                             bool overdue = false);

    // Writes every ledger file of ctx.session's ledger folder (created when missing) as
    // the savers do with every change flag set; the flags are left as they were.
    static bool writeFolder(AppContext& ctx);

private:
    int last() const { return m_ledger.EntryCount - 1; }
    Ledger& m_ledger;
};
