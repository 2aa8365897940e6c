#pragma once
// Small ledger folders on disk for the tests of this folder: entries and accounts written
// in the stored record formats.
#include "platform/fileio.h"
#include "store/ledger.h"
#include "store/linefiles.h"
#include "store/recordfile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QList>
#include <QTest>

// Whole file bytes ("<missing>" when it cannot be read), and a file written as given.
inline QByteArray fixtureBytes(const QString& path) {
    return FileIO::readFile(path).value_or(QByteArray("<missing>"));
}

inline void writeFixtureBytes(const QString& path, const QByteArray& bytes) {
    TestFiles::put(path, bytes);
}

struct FixtureEntry {
    QString date = QStringLiteral("2026/01/02");
    QString account1 = QStringLiteral("E-餐飲費");
    QString account2 = QStringLiteral("A-現金");
    double amount = 10000;
    QString detail;
    QString note;    // the first 100 bytes go to Main1.qvd
    QString noteRow; // Main3.qvd
    QString invoiceDigits;
    qint16 isChecked = 0;
    QString invoiceLetters;
    quint8 colour = 0;

    LedgerEntry toEntry() const {
        LedgerEntry e;
        e.core.Date = date;
        e.core.Account1 = account1;
        e.core.Account2 = account2;
        e.core.Amount = TaggedNumber::fromDouble(amount);
        e.core.Detail = detail;
        e.note.Note = note;
        e.invoice.InvoiceDigits = invoiceDigits;
        e.invoice.Checked = isChecked;
        e.style.InvoiceLetters = invoiceLetters;
        e.style.ColourIndex = colour;
        e.noteRow = noteRow;
        return e;
    }
};

inline AccountRecord fixtureAccount(const QString& name, qint16 kind) {
    AccountRecord a;
    a.Name = name;
    a.Kind = kind;
    return a;
}

// Which of the entry files to write.
enum FixtureFiles { Main = 1, Main1 = 2, Main2 = 4, Main2a = 8, Main3 = 16, AllEntryFiles = 31 };

inline void writeFixtureEntries(const QString& folder, const QList<FixtureEntry>& entries,
                                int files = AllEntryFiles) {
    QDir().mkpath(folder);
    QByteArray main, main1, main2, main2a;
    QStringList rows{QString()};
    for (const FixtureEntry& f : entries) {
        const LedgerEntry e = f.toEntry();
        RecordFile::append(main, e.core);
        RecordFile::append(main1, e.note);
        RecordFile::append(main2, e.invoice);
        RecordFile::append(main2a, e.style);
        rows.append(e.noteRow);
    }
    if (files & Main) TestFiles::put(folder + "Main.qvd", main);
    if (files & Main1) TestFiles::put(folder + "Main1.qvd", main1);
    if (files & Main2) TestFiles::put(folder + "Main2.qvd", main2);
    if (files & Main2a) TestFiles::put(folder + "Main2a.qvd", main2a);
    if (files & Main3)
        TestFiles::put(folder + "Main3.qvd", LineFiles::noteRowsFile(rows, int(entries.size())));
}

inline void writeFixtureAccounts(const QString& folder, const QList<AccountRecord>& accounts) {
    QDir().mkpath(folder);
    QByteArray bytes;
    for (const AccountRecord& a : accounts)
        RecordFile::append(bytes, a);
    TestFiles::put(folder + "Accounts.qvd", bytes);
}

inline QStringList accountNames(const Ledger& ledger) {
    QStringList names;
    for (int i = 1; i < ledger.AccountCount; ++i)
        names.append(ledger.Accounts[size_t(i)].Name.trimmed());
    return names;
}
