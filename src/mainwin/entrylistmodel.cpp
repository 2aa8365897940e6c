#include "mainwin/entrylistmodel.h"

#include <QBrush>
#include <QDate>
#include <algorithm>
#include <cmath>
#include <optional>

#include "mainwin/entrylisting.h"
#include "store/ledger.h"
#include "store/session.h"
#include "windowparts/colourtable.h"
#include "windowparts/imagelist.h"
#include "windowparts/textshape.h"

namespace {
const QColor red(206, 0, 0);
const QColor saturdayGreen(0, 112, 0);
const QColor runningBlue(0, 0, 255);

// A text of several lines (a note typed with line breaks) shows its first line and "…":
// every row of the list stays one line high, whatever row comes first.
QString oneLine(QString text) {
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            text.truncate(k);
            return text + QChar(0x2026);
        }
    }
    return text;
}

} // namespace

EntryListModel::EntryListModel(const Ledger& ledger, const Session& session, QObject* parent)
    : QAbstractTableModel(parent), m_ledger(ledger), m_session(session) {}

void EntryListModel::setRows(std::vector<EntryListRow> rows, quint32 todayKey) {
    beginResetModel();
    m_rows = std::move(rows);
    m_todayKey = todayKey;
    endResetModel();
}

void EntryListModel::clear() {
    setRows({}, m_todayKey);
}

void EntryListModel::appendRow(EntryListRow row) {
    const int r = int(m_rows.size());
    beginInsertRows(QModelIndex(), r, r);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

int EntryListModel::entryAt(int r) const {
    return r >= 0 && r < int(m_rows.size()) ? m_rows[size_t(r)].entry : 0;
}

void EntryListModel::swapShown(int a, int b) {
    if (a < 0 || b < 0 || a >= rowCount() || b >= rowCount()) return;
    EntryListRow& x = m_rows[size_t(a)];
    EntryListRow& y = m_rows[size_t(b)];
    std::swap(x.entry, y.entry);
    std::swap(x, y);
    refreshRow(a);
    refreshRow(b);
}

void EntryListModel::refreshRow(int r) {
    if (r < 0 || r >= rowCount()) return;
    emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
}

bool EntryListModel::inTables(int entry) const {
    return entry >= 1 && entry < m_ledger.EntryCount;
}

QString EntryListModel::cellText(int r, int column) const {
    if (r < 0 || r >= rowCount()) return QString();
    const EntryListRow& row = m_rows[size_t(r)];
    if (row.fixedTexts.isEmpty() && !inTables(row.entry)) return QString();
    return EntryListing::cellText(m_ledger, m_session, row, column);
}

QStringList EntryListModel::shownTexts(int r) const {
    QStringList texts;
    for (int c = Date; c < Index; ++c)
        texts << cellText(r, c);
    return texts;
}

QList<int> EntryListModel::longestTextRows(int column, int limit) const {
    const int rows = rowCount();
    QList<int> found;
    if (column == Amount || column == Running) {
        // The figure a row shows; none for an empty cell or "--".
        auto figureOf = [&](const EntryListRow& row) -> std::optional<double> {
            if (column == Running)
                return row.runningShown ? std::optional<double>(row.running) : std::nullopt;
            if (row.sign == 0 || !inTables(row.entry)) return std::nullopt;
            return row.sign * m_ledger.Entries[size_t(row.entry)].Amount.value();
        };
        int top = -1;
        int bottom = -1;
        int plain = -1;
        double high = 0;
        double low = 0;
        QList<int> given; // rows of given texts, and figures that are no number
        for (int r = 0; r < rows; ++r) {
            const EntryListRow& row = m_rows[size_t(r)];
            const std::optional<double> v = row.fixedTexts.isEmpty() ? figureOf(row) : std::nullopt;
            if (!row.fixedTexts.isEmpty() || (v && !std::isfinite(*v))) {
                given << r;
            } else if (!v) {
                if (plain < 0) plain = r;
            } else {
                if (top < 0 || *v > high) {
                    high = *v;
                    top = r;
                }
                if (bottom < 0 || *v < low) {
                    low = *v;
                    bottom = r;
                }
            }
        }
        for (int r : {top, bottom, top < 0 ? plain : -1})
            if (r >= 0 && !found.contains(r)) found << r;
        found << given;
        if (found.size() > limit) found.resize(std::max(limit, 0));
        std::sort(found.begin(), found.end());
        return found;
    }
    // A row's text length, and its shape where the stored bytes tell it.
    auto measureOf = [&](int r) -> std::pair<int, std::optional<quint64>> {
        const EntryListRow& row = m_rows[size_t(r)];
        if (!row.fixedTexts.isEmpty()) return {int(row.fixedTexts.value(column).size()), {}};
        if (!inTables(row.entry)) return {0, {}};
        TextShape text;
        bool known = false;
        if (column == Date) {
            // A date read as a number is "yyyy/mm/dd" as it stands.
            if (row.date != 0) return {decltype(EntryCore::Date)::Width, 0};
            known = addShape(text, m_ledger.Entries[size_t(row.entry)].Date);
        } else if (column == Invoice)
            known = addShape(text, m_ledger.EntryStyles[size_t(row.entry)].InvoiceLetters) &&
                    addShape(text, m_ledger.EntryInvoices[size_t(row.entry)].InvoiceDigits);
        if (known) return {text.length, text.shape};
        return {int(cellText(r, column).size()), {}};
    };
    // Of the longest texts one row of each shape is measured (each row of given texts too).
    int longest = 0;
    QList<quint64> shapes; // of the rows found
    for (int r = 0; r < rows; ++r) {
        const auto [length, shape] = measureOf(r);
        if (length > longest) {
            longest = length;
            found.clear();
            shapes.clear();
        }
        if (length != longest || found.size() >= limit) continue;
        if (shape) {
            if (shapes.contains(*shape)) continue;
            shapes << *shape;
        }
        found << r;
    }
    return found;
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EntryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int column = index.column();
    const EntryListRow& row = m_rows[size_t(index.row())];
    const bool fixed = !row.fixedTexts.isEmpty();
    if (role == Qt::TextAlignmentRole)
        return column == Amount || column == Running || column == Index
                   ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                   : QVariant();
    if (role == Qt::DisplayRole) return oneLine(cellText(index.row(), column));
    if (fixed) {
        switch (role) {
        case Qt::CheckStateRole:
            return column == Date ? QVariant(row.fixedChecked ? Qt::Checked : Qt::Unchecked)
                                  : QVariant();
        case Qt::DecorationRole:
            return column == Date && row.fixedClock ? QVariant(ImageList2::icon(12)) : QVariant();
        case Qt::ForegroundRole:
            return column == Date && row.fixedRed ? QVariant(QBrush(red)) : QVariant();
        default:
            return {};
        }
    }
    const int i = row.entry;
    if (!inTables(i)) return {};
    switch (role) {
    case Qt::CheckStateRole:
        if (column != Date) return {};
        return m_ledger.EntryInvoices[size_t(i)].Checked != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole:
        if (column == Date) {
            const bool remind = m_ledger.EntryNotes[size_t(i)].RemindOn != 0;
            return ImageList2::icon(!remind ? 12 : (row.date > m_todayKey ? 13 : 14));
        }
        if (column == Other) {
            const EntryCore& e = m_ledger.Entries[size_t(i)];
            if (const int image =
                    ImageList2::kindImage((row.firstSide ? e.Account2 : e.Account1).trimmed()))
                return ImageList2::icon(image + 6);
        }
        return {};
    case Qt::ForegroundRole:
        switch (column) {
        case Date: {
            if (m_ledger.EntryNotes[size_t(i)].RemindOn != 0) return QBrush(red);
            const QDate d(int(row.date / 10000), int(row.date / 100 % 100), int(row.date % 100));
            if (d.isValid() && d.dayOfWeek() == 7) return QBrush(red);
            if (d.isValid() && d.dayOfWeek() == 6) return QBrush(saturdayGreen);
            return {};
        }
        case Amount:
            if (row.sign != 0 && row.sign * m_ledger.Entries[size_t(i)].Amount.value() < 0)
                return QBrush(red);
            return {};
        case Running:
            if (row.runningBlue) return QBrush(runningBlue);
            if (row.runningShown && row.running < 0) return QBrush(red);
            return {};
        case Detail:
        case Note:
        case Invoice: {
            // A colour index beyond the table (damaged file) shows colour 0; the byte stays.
            const quint8 c = m_ledger.EntryStyles[size_t(i)].ColourIndex;
            return QBrush(ColourTable::colour(c < ColourTable::Count ? c : 0));
        }
        default:
            return {};
        }
    default:
        return {};
    }
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return m_headers.value(section);
    if (role == Qt::TextAlignmentRole &&
        (section == Amount || section == Running || section == Index))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags EntryListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Date) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool EntryListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount()) return false;
    // The hidden index column holds what the row names, as any cell text of the list can be
    // set from code (the user edits no cell).
    if (role == Qt::EditRole && index.column() == Index) {
        m_rows[size_t(index.row())].entry = value.toInt();
        refreshRow(index.row());
        return true;
    }
    if (role != Qt::CheckStateRole || index.column() != Date) return false;
    emit checkToggled(index.row(), value.toInt() == Qt::Checked);
    return true;
}
