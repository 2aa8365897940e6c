#include "journal/journalmodel.h"

#include <QBrush>

#include <cmath>
#include <functional>
#include <optional>

#include "store/amounts.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/periods.h"
#include "store/session.h"
#include "windowparts/colourtable.h"
#include "windowparts/imagelist.h"
#include "windowparts/textshape.h"

namespace {
const QColor sundayRed(206, 0, 0);
const QColor saturdayGreen(0, 112, 0);

// Images of the shared list: 7 equity, 8 asset, 9 liability, 10 income, 11 expense.
int kindSlot(const FixedText<32>& name, bool secondAccount) {
    // The second side knows equity but not income and expense; the first the reverse.
    const int code = PrefixKindCode(name, !secondAccount);
    return code == KindEquity && !secondAccount ? -1 : code;
}
// The length of a fixed field's trimmed text, from its bytes when each is ASCII (one
// character each); nullopt when the text must be decoded to know it.
template <int N> std::optional<int> asciiTrimmedLength(const FixedText<N>& field) {
    int length = 0;
    int kept = 0;
    for (char c : field.bytes()) {
        if (c == '\0') continue;
        if (uchar(c) >= 0x80) return std::nullopt;
        ++length;
        if (c != ' ') kept = length;
    }
    return kept;
}

// The lengths of formatted amounts. A formatted amount is no shorter than that of any
// amount nearer to zero on its side of zero, so each side formats its largest amount and
// then only amounts between the largest one known shorter and the smallest one known as
// long as that.
class AmountLengths {
public:
    AmountLengths(const Session& session, double top, double bottom)
        : m_session(session), m_zero(length(0.0)) {
        if (top > 0) m_above = {top, 0, length(top)};
        if (bottom < 0) m_below = {-bottom, 0, length(bottom)};
    }
    int operator()(double v) {
        if (!std::isfinite(v)) return length(v);
        if (v == 0) return m_zero;
        Side& side = v > 0 ? m_above : m_below;
        const double size = std::fabs(v);
        // Shorter than the side's longest: any length below it stands for it.
        if (size <= side.shorterUpTo) return side.longest - 1;
        if (size >= side.longestFrom) return side.longest;
        const int n = length(v);
        if (n >= side.longest)
            side.longestFrom = size;
        else
            side.shorterUpTo = size;
        return n;
    }

private:
    struct Side {
        double longestFrom = 0;
        double shorterUpTo = 0;
        int longest = 0;
    };
    int length(double v) const { return int(FormatAmount(v, m_session).size()); }
    const Session& m_session;
    int m_zero;
    Side m_above;
    Side m_below;
};
} // namespace

JournalModel::JournalModel(const Ledger& ledger, const Session& session, QObject* parent)
    : QAbstractTableModel(parent), m_ledger(ledger), m_session(session),
      m_rowIcon(ImageList2::icon(12)) {
    for (int k = 0; k < 5; ++k)
        m_kindIcons[k] = ImageList2::icon(7 + k);
}

void JournalModel::setEntries(std::vector<int> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int JournalModel::entryAt(int row) const {
    return row >= 0 && row < int(m_entries.size()) ? m_entries[size_t(row)] : 0;
}

void JournalModel::refreshRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool JournalModel::inTables(int entry) const {
    return entry >= 1 && entry < m_ledger.EntryCount;
}

QString JournalModel::cellText(int row, int column) const {
    const int i = entryAt(row);
    if (!inTables(i)) return QString();
    const EntryCore& e = m_ledger.Entries[size_t(i)];
    switch (column) {
    case DateColumn:
        return e.Date.trimmed();
    case Account1Column:
        return e.Account1.trimmed();
    case Account2Column:
        return e.Account2.trimmed();
    case AmountColumn:
        return FormatAmount(e.Amount, m_session);
    case DetailColumn:
        return e.Detail.trimmed();
    case NoteColumn:
        return m_ledger.EntryNotes[size_t(i)].Note.trimmed();
    case InvoiceColumn:
        return m_ledger.EntryStyles[size_t(i)].InvoiceLetters.trimmed() +
               m_ledger.EntryInvoices[size_t(i)].InvoiceDigits.trimmed();
    case IndexColumn:
        return QString::number(i);
    default:
        return QString();
    }
}

QList<int> JournalModel::longestTextRows(int column, int limit) const {
    const int rows = rowCount();
    std::function<int(int)> lengthOf;
    std::optional<AmountLengths> amounts;
    switch (column) {
    case DateColumn:
        lengthOf = [&](int row) {
            const int i = entryAt(row);
            if (!inTables(i)) return 0;
            return asciiTrimmedLength(m_ledger.Entries[size_t(i)].Date)
                .value_or(int(cellText(row, column).size()));
        };
        break;
    case InvoiceColumn:
        lengthOf = [&](int row) {
            const int i = entryAt(row);
            if (!inTables(i)) return 0;
            const auto letters = asciiTrimmedLength(m_ledger.EntryStyles[size_t(i)].InvoiceLetters);
            const auto digits = asciiTrimmedLength(m_ledger.EntryInvoices[size_t(i)].InvoiceDigits);
            return letters && digits ? *letters + *digits : int(cellText(row, column).size());
        };
        break;
    case AmountColumn: {
        double top = 0;
        double bottom = 0;
        for (int row = 0; row < rows; ++row) {
            const int i = entryAt(row);
            if (!inTables(i)) continue;
            const double v = m_ledger.Entries[size_t(i)].Amount.value();
            if (!std::isfinite(v)) continue;
            top = std::max(top, v);
            bottom = std::min(bottom, v);
        }
        amounts.emplace(m_session, top, bottom);
        lengthOf = [&](int row) {
            const int i = entryAt(row);
            return inTables(i) ? (*amounts)(m_ledger.Entries[size_t(i)].Amount.value()) : 0;
        };
        break;
    }
    default:
        lengthOf = [&](int row) { return int(cellText(row, column).size()); };
    }
    // Invoice numbers of one length differ in width by their letters: of each shape one row
    // is measured, so that a wide pair of letters far down the list is among those measured.
    auto shapeOf = [&](int row) -> std::optional<quint64> {
        const int i = entryAt(row);
        TextShape text;
        if (column != InvoiceColumn || !inTables(i) ||
            !addShape(text, m_ledger.EntryStyles[size_t(i)].InvoiceLetters) ||
            !addShape(text, m_ledger.EntryInvoices[size_t(i)].InvoiceDigits))
            return std::nullopt;
        return text.shape;
    };
    int longest = 0;
    QList<int> found;
    QList<quint64> shapes; // of the rows found
    for (int row = 0; row < rows; ++row) {
        const int length = lengthOf(row);
        if (length > longest) {
            longest = length;
            found.clear();
            shapes.clear();
        }
        if (length != longest || found.size() >= limit) continue;
        if (const std::optional<quint64> shape = shapeOf(row)) {
            if (shapes.contains(*shape)) continue;
            shapes << *shape;
        }
        found << row;
    }
    return found;
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column();
    const int i = entryAt(index.row());
    if (!inTables(i)) return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), column);
    case Qt::CheckStateRole:
        if (column != DateColumn) return {};
        return m_ledger.EntryInvoices[size_t(i)].Checked != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole: {
        const EntryCore& e = m_ledger.Entries[size_t(i)];
        if (column == DateColumn) return m_rowIcon;
        if (column == Account1Column || column == Account2Column) {
            const int slot = kindSlot(column == Account1Column ? e.Account1 : e.Account2,
                                      column == Account2Column);
            if (slot >= 0) return m_kindIcons[slot];
        }
        return {};
    }
    case Qt::ForegroundRole:
        if (column == DateColumn) {
            const quint32 n = Periods::dateNumber(m_ledger.Entries[size_t(i)].Date.bytes());
            const QDate d(int(n / 10000), int(n / 100 % 100), int(n % 100));
            if (d.isValid() && d.dayOfWeek() == 7) return QBrush(sundayRed);
            if (d.isValid() && d.dayOfWeek() == 6) return QBrush(saturdayGreen);
            return {};
        }
        if (column == DetailColumn || column == NoteColumn || column == InvoiceColumn)
            return QBrush(ColourTable::colour(m_ledger.EntryStyles[size_t(i)].ColourIndex));
        return {};
    case Qt::TextAlignmentRole:
        if (column == AmountColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const captions[ColumnCount] = {"日期", "分類", "科目", "金額",
                                                      "明細", "備註", "發票", "編號"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromUtf8(captions[section]);
}

Qt::ItemFlags JournalModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == DateColumn) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool JournalModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != DateColumn)
        return false;
    emit checkToggled(index.row(), value.toInt() == Qt::Checked);
    return true;
}
