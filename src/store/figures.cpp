#include "store/figures.h"

namespace {

int kindFromPrefix(QChar a, QChar b, bool withIncomeExpense) {
    if (a == u'E' && b == u'q') return KindEquity;
    if (b != u'-') return -1;
    if (a == u'A') return KindAsset;
    if (a == u'L') return KindLiability;
    if (withIncomeExpense) {
        if (a == u'I') return KindIncome;
        if (a == u'E') return KindExpense;
    }
    return -1;
}

} // namespace

int PrefixKindCode(const FixedText<32>& name, bool withIncomeExpense) {
    // Byte compares: balances read the kind of every entry's other side.
    if (name.startsWithAscii("Eq")) return KindEquity;
    if (name.startsWithAscii("A-")) return KindAsset;
    if (name.startsWithAscii("L-")) return KindLiability;
    if (withIncomeExpense) {
        if (name.startsWithAscii("I-")) return KindIncome;
        if (name.startsWithAscii("E-")) return KindExpense;
    }
    return -1;
}

int PrefixKindCode(QStringView name, bool withIncomeExpense) {
    if (name.size() < 2) return -1;
    return kindFromPrefix(name[0], name[1], withIncomeExpense);
}

QString KindPrefix(int kind) {
    switch (kind) {
    case KindEquity:
        return QStringLiteral("Eq");
    case KindAsset:
        return QStringLiteral("A-");
    case KindLiability:
        return QStringLiteral("L-");
    case KindIncome:
        return QStringLiteral("I-");
    case KindExpense:
        return QStringLiteral("E-");
    default:
        return QString();
    }
}

bool IsAssetOrLiabilityName(const FixedText<32>& name) {
    const int k = PrefixKindCode(name, false);
    return k == KindAsset || k == KindLiability;
}

bool IsAssetOrLiabilityName(QStringView name) {
    const int k = PrefixKindCode(name, false);
    return k == KindAsset || k == KindLiability;
}

int EntrySign(int kind, int otherKindCode, bool isFirstAccount) {
    // Rows: kind of the account (equity, asset, liability, income, expense);
    // columns: kind code of the other side.
    static const int firstSide[5][3] = {
        {0, 0, 0}, {1, 1, 1}, {1, -1, 1}, {1, 1, 1}, {1, 1, 1},
    };
    static const int secondSide[5][5] = {
        {0, 1, -1, -1, 1}, {0, -1, -1, 1, -1}, {-1, 1, -1, -1, 1}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0},
    };
    if (kind < 0 || kind > 4 || otherKindCode < 0) return 0;
    if (isFirstAccount) return otherKindCode <= 2 ? firstSide[kind][otherKindCode] : 0;
    return otherKindCode <= 4 ? secondSide[kind][otherKindCode] : 0;
}

EntryChange TreeEntryChange(int kindX, int kindY) {
    const bool yAsset = kindY == KindAsset;
    switch (kindX) {
    case KindAsset:
        return {+1, yAsset ? -1 : +1};
    case KindLiability:
        return {yAsset ? -1 : +1, -1};
    case KindIncome:
        return {+1, yAsset ? +1 : -1};
    case KindExpense:
        return {+1, yAsset ? -1 : +1};
    default:
        return {0, 0}; // equity, or no known kind: no figure changes
    }
}

int ListRowSign(int listedKind, bool firstSide, int otherKind) {
    switch (listedKind) {
    case KindEquity:
        return firstSide ? 0 : (otherKind == KindAsset || otherKind == KindExpense ? +1 : -1);
    case KindAsset:
        return firstSide ? +1 : (otherKind == KindIncome ? +1 : -1);
    case KindLiability:
        if (firstSide) return otherKind == KindAsset ? -1 : +1;
        return otherKind == KindAsset || otherKind == KindExpense ? +1 : -1;
    case KindIncome:
    case KindExpense:
        return firstSide ? +1 : 0;
    default:
        return firstSide ? +1 : -1;
    }
}

int ProvisionalRowSign(int kind1, int kind2) {
    const bool plain = (kind1 == KindIncome && kind2 == KindAsset) ||
                       ((kind1 == KindExpense || kind1 == KindEquity) &&
                        (kind2 == KindLiability || kind2 == KindEquity));
    return plain ? +1 : -1;
}
