#pragma once
#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

struct Ledger;
struct Session;

// The journal's rows (JournalRow): one per listed entry, holding only the entry index and
// formatting a row when the view asks for it, so that listing 30000 entries stays quick.
// Columns: 日期 (check box, weekday colour), 分類, 科目, 金額, 明細, 備註, 發票 (entry colour)
// and the hidden 編號 with the entry index. Every text comes from the tables at the moment
// it is shown, so a row follows its index (after a move it shows the entry now there).
class JournalModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        DateColumn,
        Account1Column,
        Account2Column,
        AmountColumn,
        DetailColumn,
        NoteColumn,
        InvoiceColumn,
        IndexColumn,
        ColumnCount
    };

    JournalModel(const Ledger& ledger, const Session& session, QObject* parent = nullptr);

    void setEntries(std::vector<int> entries);
    const std::vector<int>& entries() const { return m_entries; }
    int entryAt(int row) const;
    // Draws a row again from its entry.
    void refreshRow(int row);
    // The text a cell shows (display role).
    QString cellText(int row, int column) const;
    // The first `limit` rows whose texts in a column are the longest, in row order. Dates,
    // amounts and invoice numbers are found without formatting every row.
    QList<int> longestTextRows(int column, int limit) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A user's click on a check box: reported, not stored; the window decides.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void checkToggled(int row, bool checked);

private:
    bool inTables(int entry) const;
    const Ledger& m_ledger;
    const Session& m_session;
    std::vector<int> m_entries;
    QIcon m_rowIcon;
    QIcon m_kindIcons[5]; // equity, asset, liability, income, expense
};
