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

    // Rows 0 .. min(rows, size() - 1), decoded.
    QStringList texts(int rows) const;
    // Main3.qvd for rows 1 .. rows, as LineFiles::noteRowsFile writes texts(rows); a row still
    // as read goes out as its stored bytes when that gives the same file.
    QByteArray fileBytes(int rows) const;
    // What the table holds in memory: rows, decoded texts and the stored bytes kept.
    qint64 heldBytes() const;

private:
    struct Row {
        QString text; // once decoded
        // Where the field read from the file lies in m_file; length < 0 for a row written since.
        qsizetype start = 0;
        qsizetype length = -1;
        bool quoted = false;
        bool decoded = true;
        // Whether the stored field writes back as the same bytes: 0 not known yet, 1 yes, 2 no.
        quint8 writesBack = 0;
    };
    void grow(int i);

    QByteArray m_file;
    mutable std::vector<Row> m_rows;
};
