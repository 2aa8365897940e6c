#pragma once
#include <QString>
#include <optional>

#include "rules/entry/entryrules.h"
#include "store/ledger.h"

// A box the entry commands show: kind and exact text.
struct EntryMessage {
    enum class Kind { Information, Warning, Plain };
    Kind kind = Kind::Information;
    QString text;
    bool operator==(const EntryMessage&) const = default;
};

// The entry window's fields as the store command reads them. Corrections the command
// makes (silent defaults, trimmed invoice, the exchange-rate line) are written back here,
// and the window shows them.
struct EntryFields {
    QString date; // the date picker's value as text
    bool account1Chosen = false;
    QString account1;
    bool account2Chosen = false;
    QString account2;
    QString amount;
    QString rate = QStringLiteral("1");
    QString detail;
    QString note; // lines joined with CR LF
    QString invoice;
    int colour = 0;
    EntryRules::Reminder reminder = EntryRules::Reminder::None;
    QString remindDays = QStringLiteral("1");
    bool fee = false;
    bool fee1Chosen = false;
    QString fee1;
    bool fee2Chosen = false;
    QString fee2;
    QString feeAmount = QStringLiteral("0");
    QString feeDetail;
    bool keepDetail = false; // add the detail to the detail-text list
    bool rateInNote = false; // note the typed amount and rate
};

struct StoreResult {
    enum class Status { Refused, Failed, Stored };
    enum class DetailText { NotAsked, Added, ListFull };
    Status status = Status::Refused;
    EntryMessage message;   // the refusal or failure box
    int index = 0;          // the entry written
    int feeIndex = 0;       // its fee entry, 0 when none was written
    bool feeNoRoom = false; // a fee entry was asked for but the table is full
    DetailText detailText = DetailText::NotAsked;
};

namespace StoreEntry {

// Messages of the store command.
QString limitMessage();     // add with 30000 entries stored
QString feeNoRoomMessage(); // no room for the fee entry
QString failureMessage();   // "新增/編輯記錄發生錯誤!"
QString detailListFullMessage();
// The refusal of a note holding a character below U+0020 other than its line breaks.
QString noteUnsupportedMessage(); // "備註不可以包含軟體不支援的文字!"

// The checks of the store command in their order, with the silent defaults of the rate,
// the lead days and the fee amount and the trimmed invoice applied to f.
std::optional<EntryMessage> check(const Ledger& ledger, EntryFields& f, bool adding);

// Checks, prepares and writes one entry (and its fee entry): editIndex 0 appends at
// EntryCount, otherwise entry editIndex is rewritten (its check mark kept, never a fee).
// Every lookup and amount is worked out before the tables change, so a failure leaves
// them as they were. On success the detail-text step has run too and the unsaved-changes
// flag is set.
StoreResult store(Ledger& ledger, EntryFields& f, int editIndex);

// The entry of the fields by the field rules: date text, the two accounts, detail and
// note as given, the amount rule with the rate, invoice split, colour, reminder, check
// mark 0. nullopt when an account is not found or the amount is out of range.
std::optional<LedgerEntry> mainEntry(const Ledger& ledger, const EntryFields& f,
                                     const QString& date, const QString& detail,
                                     const QString& note, double rate);
// The fee entry of the fields: fee accounts and detail, fee amount at rate 1, no note,
// reminder or invoice, the colour of the main entry.
std::optional<LedgerEntry> feeEntry(const Ledger& ledger, const EntryFields& f,
                                    const QString& date);

} // namespace StoreEntry
