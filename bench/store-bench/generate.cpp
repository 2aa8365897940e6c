#include "generate.h"

#include "platform/runtime.h"

#include <QRandomGenerator>

namespace {

const QString kCharacters = QStringLiteral(
    "餐飲交通服裝薪資收入支出現金銀行信用卡早午晚飯咖啡書籍電影房租水電瓦斯網路手機保險"
    "醫療藥品禮物旅遊油錢停車高鐵捷運公車計程車超市市場水果蔬菜肉類文具家具維修學費"
    "獎金利息股利紅包雜項零用日常用品");

class Generator {
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    int below(int n) { return int(m_random.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }
    QString text(int minChars, int maxChars) {
        const int n = minChars + below(maxChars - minChars + 1);
        QString s;
        s.reserve(n);
        for (int i = 0; i < n; ++i)
            s.append(kCharacters.at(below(int(kCharacters.size()))));
        return s;
    }
    TaggedNumber amount() {
        switch (below(3)) {
        case 0:
            return TaggedNumber::fromInt16(qint16(below(30000)));
        case 1:
            return TaggedNumber::fromInt32(below(5000000));
        default:
            return TaggedNumber::fromDouble(double(below(20000000)));
        }
    }

private:
    QRandomGenerator m_random;
};

struct AccountPlan {
    const char* prefix;
    qint16 kind;
    int parents;
};

// Parents of each kind with sub-accounts under them, up to the table's capacity.
void addAccounts(Ledger& ledger, Generator& g) {
    const AccountPlan plans[] = {{"A-", KindAsset, 30},
                                 {"L-", KindLiability, 10},
                                 {"I-", KindIncome, 20},
                                 {"E-", KindExpense, 60}};
    auto add = [&](const QString& name, qint16 kind) {
        AccountRecord a;
        a.Name = name;
        a.Kind = kind;
        if (kind >= KindIncome && g.chance(30)) {
            for (TaggedNumber& cell : a.Budget)
                cell = TaggedNumber::fromInt32(g.below(1000000));
        }
        ledger.addAccount(a);
    };
    add(QStringLiteral("A-現金"), KindAsset);
    add(QStringLiteral("Equity"), KindEquity);
    const int room = Ledger::AccountCapacity - 2;
    int parentsTotal = 0;
    for (const AccountPlan& p : plans)
        parentsTotal += p.parents;
    const int childrenPerParent = (room - parentsTotal) / parentsTotal;
    int made = 0;
    for (const AccountPlan& p : plans) {
        for (int i = 0; i < p.parents; ++i) {
            const QString parent =
                QString::fromLatin1(p.prefix) + g.text(2, 4) + QString::number(i);
            add(parent, p.kind);
            ++made;
            for (int c = 0; c < childrenPerParent; ++c, ++made)
                add(parent + "." + g.text(1, 3) + QString::number(c), p.kind);
        }
    }
    // Fill the table to its capacity with expense sub-accounts.
    for (int i = 0; ledger.AccountCount <= Ledger::AccountCapacity; ++i)
        add(QStringLiteral("E-雜項.補充") + QString::number(i), KindExpense);
}

QString accountOfKind(const Ledger& ledger, Generator& g, qint16 kind) {
    for (;;) {
        const AccountRecord& a = ledger.Accounts[size_t(1 + g.below(ledger.AccountCount - 1))];
        if (a.Kind == kind) return a.Name.trimmed();
    }
}

void addEntries(Ledger& ledger, Generator& g) {
    const QDate first(2022, 1, 1);
    const int days = int(first.daysTo(QDate(2024, 12, 31))) + 1;
    const int total = Ledger::EntryCapacity;
    for (int i = 0; i < total; ++i) {
        LedgerEntry e;
        // Ascending dates, as entries are mostly recorded in order.
        e.core.Date = Runtime::dateText(first.addDays(qint64(i) * days / total));
        const int pick = g.below(10);
        const qint16 kind1 = pick < 6 ? KindExpense : pick < 8 ? KindIncome : KindAsset;
        e.core.Account1 = accountOfKind(ledger, g, kind1);
        e.core.Account2 = accountOfKind(ledger, g, g.chance(80) ? KindAsset : KindLiability);
        e.core.Amount = g.amount();
        e.core.Detail = g.text(2, 30);
        if (g.chance(5)) {
            e.note.RemindOn = -1;
            e.note.RemindDays = qint16(g.below(10));
        }
        if (g.chance(30)) e.note.Note = g.text(3, 20);
        if (g.chance(20)) {
            e.invoice.InvoiceDigits = QString::number(10000000 + g.below(89999999));
            e.style.InvoiceLetters = QStringLiteral("AB");
        }
        e.invoice.Checked = g.chance(50) ? -1 : 0;
        e.style.ColourIndex = quint8(g.below(10));
        ledger.addEntry(e);
        if (g.chance(10)) // a long note: the row holds it whole
            ledger.setFullNote(ledger.EntryCount - 1, g.text(60, 200));
    }
}

void addSideTables(Ledger& ledger, Generator& g) {
    while (ledger.DetailTextCount <= Ledger::DetailTextCapacity) {
        const qint16 kind = qint16(1 + g.below(4));
        ledger.addDetailText(accountOfKind(ledger, g, kind) + QChar(1) + g.text(2, 12));
    }
    while (ledger.QuickEntryCount <= Ledger::QuickEntryCapacity) {
        QuickEntry q;
        q.Account1 = accountOfKind(ledger, g, KindExpense);
        q.Account2 = accountOfKind(ledger, g, KindAsset);
        q.Amount = QString::number(g.below(5000));
        q.Detail = g.text(2, 10);
        q.Note = g.chance(50) ? g.text(2, 40) : QString();
        ledger.addQuickEntry(q);
    }
    while (ledger.RecurringCount <= Ledger::RecurringCapacity) {
        RecurringRecord r;
        r.Period = quint8(g.below(6));
        r.When = QString::number(1 + g.below(28));
        r.Account1 = accountOfKind(ledger, g, KindExpense);
        r.Account2 = accountOfKind(ledger, g, KindAsset);
        r.Amount = g.amount();
        r.Detail = g.text(2, 20);
        ledger.addRecurring(r);
    }
}

} // namespace

void GenerateFullLedger(Ledger& ledger, quint32 seed) {
    Generator g(seed);
    ledger.clear();
    addAccounts(ledger, g);
    addEntries(ledger, g);
    addSideTables(ledger, g);
    ledger.AccountsChanged = true;
    ledger.DetailTextsChanged = true;
    ledger.QuickEntriesChanged = true;
    ledger.RecurringChanged = true;
}
