#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <type_traits>
#include <vector>

#include "platform/fileio.h"
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
template <typename T> int slotOf() {
    return slotLength(static_cast<const T*>(nullptr));
}

// The fields of one record into a slot that holds zero bytes.
void write(char* slot, const EntryCore& r);
void write(char* slot, const EntryNote& r);
void write(char* slot, const EntryInvoice& r);
void write(char* slot, const EntryStyle& r);
void write(char* slot, const AccountRecord& r);
void write(char* slot, const RecurringRecord& r);

// One slot appended to out. The tail after the last field is zero bytes, which keeps the
// files reproducible (it carries no meaning).
template <typename T> void append(QByteArray& out, const T& r) {
    const qsizetype at = out.size();
    out.resize(at + slotOf<T>(), '\0');
    write(out.data() + at, r);
}

// One slot read into r; false (r undefined) on a tag other than 0, 2, 3, 5 or fields
// that would run past the slot.
bool read(QByteArrayView slot, EntryCore& r);
bool read(QByteArrayView slot, EntryNote& r);
bool read(QByteArrayView slot, EntryInvoice& r);
bool read(QByteArrayView slot, EntryStyle& r);
bool read(QByteArrayView slot, AccountRecord& r);
bool read(QByteArrayView slot, RecurringRecord& r);

// Records 1 .. count - 1 of a 1-based table as file bytes.
template <typename Table> QByteArray encodeTable(const Table& table, int count) {
    using T = std::remove_cvref_t<decltype(table[0])>;
    const int slot = slotOf<T>();
    // Every byte is written: the fields, then a zero tail.
    QByteArray out(qsizetype(qMax(0, count - 1)) * slot, Qt::Uninitialized);
    for (int i = 1; i < count; ++i)
        write(out.data() + qsizetype(i - 1) * slot, table[size_t(i)]);
    return out;
}

// Number of whole records in a file (a partial last slot is no record).
template <typename T> int recordsIn(const QByteArray& file) {
    return FileIO::recordCount(file, slotOf<T>());
}

// The largest file of `capacity` records a reader accepts (a partial last slot included):
// the limit of its read, so that no damaged file can fill the memory.
template <typename T> qint64 largestFile(int capacity) {
    return qint64(capacity + 1) * slotOf<T>() - 1;
}

// The file holds no partial record.
template <typename T> bool isWholeRecords(const QByteArray& file) {
    return file.size() % slotOf<T>() == 0;
}

// Record n (from 1) of a file; false when it is missing or unreadable.
template <typename T> bool readRecord(const QByteArray& file, int n, T& r) {
    const QByteArrayView slot = FileIO::record(file, slotOf<T>(), n);
    return !slot.isEmpty() && read(slot, r);
}

} // namespace RecordFile
