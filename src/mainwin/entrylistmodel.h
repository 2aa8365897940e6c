#pragma once
#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <vector>

struct Ledger;
struct Session;

// One row of the main window's entry list: the entry and the side of it the listed account
// sees, with the figures the listing worked out. Texts are made only when a row is shown.
struct EntryListRow {
    int entry = 0;
    quint32 date = 0;         // yyyymmdd of the stored date
    qint8 sign = 0;           // +1 as stored, -1 negated, 0 the amount cell stays empty
    bool firstSide = true;    // the listed account is Account1
    bool runningShown = true; // false: the running cell reads "--"
    bool runningBlue = false; // the last row dated today or earlier
    double running = 0;       // the running total after this row (hundredths)
    // A row put in before the next listing (an entry just stored): its texts as given.
    QStringList fixedTexts;
    bool fixedChecked = false;
    bool fixedClock = false;
    bool fixedRed = false;
};

// The entry list (Liv1) as a model: 日期 (check box, reminder image, weekday colour), 類別
// (the other account with its image), 金額, 累計, 明細, 備註, 發票 (entry colour) and the
// entry index. The stored fields are read when a row is drawn.
class EntryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Other, Amount, Running, Detail, Note, Invoice, Index, ColumnCount };

    EntryListModel(const Ledger& ledger, const Session& session, QObject* parent = nullptr);

    void setRows(std::vector<EntryListRow> rows, quint32 todayKey);
    void clear();
    void appendRow(EntryListRow row);
    const EntryListRow& row(int r) const { return m_rows[size_t(r)]; }
    int entryAt(int r) const;
    // Exchanges what two rows show but for their entry indices (two entries swapped places).
    void swapShown(int a, int b);
    void refreshRow(int r);
    QString cellText(int r, int column) const;
    // The texts of row r from 日期 to 發票 (the entry index left out).
    QStringList shownTexts(int r) const;
    // The rows, at most `limit`, among which a column's widest text is, found without
    // formatting every row: for 金額 and 累計 the rows of the largest and the smallest figure
    // (a formatted amount is no shorter than any nearer to zero on its side of zero), for
    // the other columns the first rows whose texts are the longest, of dates and invoice
    // numbers one row of each arrangement of digits and other characters. Rows of given
    // texts are among them.
    QList<int> longestTextRows(int column, int limit) const;
    void setHeaderTexts(const QStringList& texts) { m_headers = texts; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A user's click on a check box: reported; the window stores it.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void checkToggled(int row, bool checked);

private:
    bool inTables(int entry) const;
    const Ledger& m_ledger;
    const Session& m_session;
    std::vector<EntryListRow> m_rows;
    quint32 m_todayKey = 0;
    QStringList m_headers;
};
