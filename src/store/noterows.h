#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The entries' full notes, one row per entry: row i belongs to entry i, row 0 is unused, and
// there may be surplus rows past the last entry. Rows read from Main3.qvd keep their stored
// bytes until first asked for: opening a ledger decodes no note, and most are never shown.
// A row reads the same whether it was decoded at once or later.
class NoteRows {
public:
    NoteRows();

    void clear(); // row 0 only
    int size() const { return int(m_rows.size()); }
    void reserve(int rows) { m_rows.reserve(size_t(rows)); }

    QString at(int i) const;              // "" past the end
    void set(int i, const QString& text); // rows grown as needed
    void copy(int from, int to);          // row `to` becomes row `from`; grown as needed
    void swap(int a, int b);              // grown as needed

    // Rows 1 .. rows from the first fields of a Main3.qvd file (field k to row k + 1),
    // unescaped as LineFiles::readNoteRows does; a shorter file leaves the later rows as
    // they are.
    void read(const QByteArray& file, int rows);

    // Rows 0 .. min(rows, size() - 1), decoded, for writing.
    QStringList texts(int rows) const;
    // What the table holds in memory: rows, decoded texts and the stored bytes kept.
    qint64 heldBytes() const;

private:
    struct Row {
        QString text;
        // Where the stored field lies in m_file while it is not decoded; length < 0 once it is.
        qsizetype start = 0;
        qsizetype length = -1;
        bool quoted = false;
    };
    void grow(int i);
    void decodeAll() const;

    QByteArray m_file;
    mutable std::vector<Row> m_rows;
};
