#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <vector>

#include "store/ledger.h"

// Byte layouts of the ledger's record files. Fields follow one another from byte 0 of the
// slot; a tagged number's value width moves the fields behind it; the slot tail is zero.
namespace RecordFile {

constexpr int MainSlot = 284;    // EntryCore, Main.qvd
constexpr int Main1Slot = 204;   // EntryNote, Main1.qvd
constexpr int Main2Slot = 18;    // EntryInvoice, Main2.qvd
constexpr int Main2aSlot = 8;    // EntryStyle, Main2a.qvd
constexpr int AccountSlot = 276; // AccountRecord, Accounts.qvd and Accounts2.qvd
constexpr int FixureSlot = 276;  // RecurringRecord, Fixure.qvd

int slotLength(const EntryCore*);
int slotLength(const EntryNote*);
int slotLength(const EntryInvoice*);
int slotLength(const EntryStyle*);
int slotLength(const AccountRecord*);
int slotLength(const RecurringRecord*);
template <typename T>
int slotOf() { return slotLength(static_cast<const T*>(nullptr)); }

// One slot, appended to out.
void append(QByteArray& out, const EntryCore& r);
void append(QByteArray& out, const EntryNote& r);
void append(QByteArray& out, const EntryInvoice& r);
void append(QByteArray& out, const EntryStyle& r);
void append(QByteArray& out, const AccountRecord& r);
void append(QByteArray& out, const RecurringRecord& r);

// One slot read into r; false (r undefined) on a tag other than 0, 2, 3, 5 or fields
// that would run past the slot.
bool read(QByteArrayView slot, EntryCore& r);
bool read(QByteArrayView slot, EntryNote& r);
bool read(QByteArrayView slot, EntryInvoice& r);
bool read(QByteArrayView slot, EntryStyle& r);
bool read(QByteArrayView slot, AccountRecord& r);
bool read(QByteArrayView slot, RecurringRecord& r);

// Records 1 .. count - 1 of a 1-based table as file bytes.
template <typename T>
QByteArray encodeTable(const std::vector<T>& table, int count)
{
    QByteArray out;
    out.reserve(qsizetype(qMax(0, count - 1)) * slotOf<T>());
    for (int i = 1; i < count; ++i)
        append(out, table[size_t(i)]);
    return out;
}

// Number of whole records in a file (a partial last slot is no record).
template <typename T>
int recordsIn(const QByteArray& file) { return int(file.size() / slotOf<T>()); }

// Record n (from 1) of a file; false when it is missing or unreadable.
template <typename T>
bool readRecord(const QByteArray& file, int n, T& r)
{
    const int slot = slotOf<T>();
    if (n < 1 || qsizetype(n) * slot > file.size())
        return false;
    return read(QByteArrayView(file).sliced(qsizetype(n - 1) * slot, slot), r);
}

} // namespace RecordFile
