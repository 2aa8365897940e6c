#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// The records of one record file, read in order in blocks into one buffer used again and
// again: the entry files of a full ledger are parsed without a copy of their bytes beside
// the tables. Opening checks what a whole read checks (a regular file, no larger than the
// limit); a read that fails later ends the records and is reported by failed().
class RecordStream {
public:
    explicit RecordStream(int slot) : m_slot(slot) {}

    // False when the file cannot be read; true, and not open, when it does not exist.
    bool open(const QString& path, qint64 limit);
    bool isOpen() const { return m_file.isOpen(); }
    qint64 size() const { return m_size; }
    int records() const { return int(m_size / m_slot); } // a partial last slot is no record
    // The next whole record; empty after the last one or after a failed read.
    QByteArrayView next();
    bool failed() const { return m_failed; }

private:
    bool fill();
    const int m_slot;
    QFile m_file;
    qint64 m_size = 0;
    int m_taken = 0; // records handed out
    QByteArray m_buffer;
    qsizetype m_pos = 0; // the next record's offset in the buffer
    bool m_failed = false;
};
