#include "rules/entry/repeatedentries.h"

#include <QHash>
#include <cmath>

#include "platform/runtime.h"
#include "store/sidefiles.h"

namespace RepeatedEntries {

namespace {
// NULs never survive TrimFixed, so one separates the four key texts unambiguously.
QString keyOf(const Group& g) {
    const QChar sep(u'\0');
    return g.account1 + sep + g.account2 + sep + g.detail + sep + g.note;
}

QString wholeUnits(double hundredths) {
    const qint64 units = qint64(std::trunc(hundredths / 100.0));
    return QString::number(units); // an integer: -0.50 gives "0", never "-0"
}
} // namespace

double thresholdOf(const QString& answer) {
    QString text;
    for (const QChar c : answer)
        if (c != u' ' && c != u'\t' && c != u'\n') text.append(c);
    if (text.size() < 2 || text.at(0) != u'&') return Runtime::leadingNumber(text);
    const QChar radix = text.at(1).toUpper();
    const int base = radix == u'H' ? 16 : radix == u'O' ? 8 : 0;
    if (base == 0) return 0;
    quint64 v = 0;
    for (qsizetype i = 2; i < text.size() && v <= 0xFFFFFFFFu; ++i) {
        const char16_t c = text.at(i).unicode();
        const int d = c >= u'0' && c <= u'9'   ? c - u'0'
                      : c >= u'a' && c <= u'f' ? c - u'a' + 10
                      : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                               : 99;
        if (d >= base) break;
        v = v * quint64(base) + quint64(d);
    }
    // A radix number is read as a signed 16-bit number when it fits in 16 bits, else as
    // a signed 32-bit one.
    return v <= 0xFFFF ? double(qint16(quint16(v))) : double(qint32(quint32(v)));
}

std::vector<Group> groupEntries(const Ledger& ledger,
                                const std::function<void(int, int)>& progress) {
    std::vector<Group> groups;
    QHash<QString, size_t> byKey;
    const int n = ledger.EntryCount - 1;
    for (int i = 1; i <= n; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        Group g;
        g.account1 = e.Account1.trimmed();
        g.account2 = e.Account2.trimmed();
        g.detail = e.Detail.trimmed();
        g.note = ledger.EntryNotes[size_t(i)].Note.trimmed();
        const QString key = keyOf(g);
        const auto found = byKey.constFind(key);
        if (found != byKey.constEnd()) {
            ++groups[*found].count;
        } else {
            g.amount = wholeUnits(e.Amount.value());
            byKey.insert(key, groups.size());
            groups.push_back(std::move(g));
        }
        if (progress) progress(i, n);
    }
    return groups;
}

int appendProposals(Ledger& ledger, const std::vector<Group>& groups, double threshold) {
    int added = 0;
    for (const Group& g : groups) {
        if (double(g.count) < threshold) continue;
        const QuickEntry q{WithoutQuoteMarks(g.account1), WithoutQuoteMarks(g.account2),
                           WithoutQuoteMarks(g.amount), WithoutQuoteMarks(g.detail),
                           WithoutQuoteMarks(g.note)};
        if (!ledger.addQuickEntry(q)) break; // the table is full: the remaining groups are dropped
        ++added;
    }
    return added;
}

} // namespace RepeatedEntries
