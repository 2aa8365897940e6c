#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// One one-off memo. Texts are held as typed (the file keeps their first bytes only).
struct MemoRecord {
    QString Date;        // "yyyy/mm/dd"; "DeleteData" marks a memo being deleted
    qint16 RemindOn = 0; // 0 or -1
    qint16 RemindDays = 0;
    QString Text;
};

// One recurring memo.
struct FixedMemoRecord {
    quint8 Period = 0; // 1 yearly, 2 monthly, 3 weekly; 0 marks a memo being deleted
    QString When;      // "MM/DD", "DD" ("32" the month end) or a weekday digit
    qint16 RemindDays = 0;
    QString Text;
};

// The user's memo book: both tables 1-based, count = memos + 1, as the memo windows use them.
struct MemoBook {
    static constexpr int MemoCapacity = 200;
    static constexpr int FixedMemoCapacity = 100;
    static constexpr int MemoSlot = 224;
    static constexpr int FixedMemoSlot = 214;
    static constexpr const char* MemoFile = "Memo.dat";
    static constexpr const char* FixedMemoFile = "Fixed.dat";

    MemoBook();

    std::vector<MemoRecord> Memos;
    std::vector<FixedMemoRecord> FixedMemos;
    int MemoCount = 1;
    int FixedMemoCount = 1;
    // Memo files that could not be read whole in the last load; each is kept as
    // "<name>.bad" before its first rewrite, so a save never destroys what was unreadable.
    QStringList UnreadFiles;

    void clear();
    bool addMemo(const MemoRecord& m);           // false when the table is full
    bool addFixedMemo(const FixedMemoRecord& m); // false when the table is full
    // Removes the marked memos, keeping the order of the rest.
    void compactMemos();
    void compactFixedMemos();
};

// Fills both tables from Memo.dat and Fixed.dat of the user folder (ending in "/"). A
// missing file is an empty table. At most the tables' capacity of whole slots is read.
void LoadMemoFiles(MemoBook& book, const QString& userFolder);

// Rewrite one file from its table (temporary file, then rename); an empty table removes
// the file. False when the file could not be written or removed; the old file then stays.
[[nodiscard]] bool SaveMemoFile(MemoBook& book, const QString& userFolder);
[[nodiscard]] bool SaveFixedMemoFile(MemoBook& book, const QString& userFolder);

// The exact bytes of each file for the tables (empty for an empty table).
QByteArray MemoFileBytes(const MemoBook& book);
QByteArray FixedMemoFileBytes(const MemoBook& book);
