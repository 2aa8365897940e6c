#include "store/accountnames.h"

#include "platform/codec.h"
#include "platform/runtime.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/plaintext.h"

namespace AccountNames {

QString prefixOf(int kind) {
    return kind == KindEquity ? QString() : KindPrefix(kind);
}

int kindOfPrefix(const QString& name) {
    const int kind = PrefixKindCode(name);
    return kind >= KindAsset ? kind : 0;
}

QString noParent() {
    return QStringLiteral("<無>");
}

QString cut(const QString& name) {
    return Ansi::cutToBytes(name, MaxBytes);
}

QString compose(int kind, const QString& parent, const QString& ownName) {
    const bool root = parent.isEmpty() || parent == noParent();
    return TrimFixed(cut((root ? prefixOf(kind) : parent + u'.') + ownName));
}

QString stored(const QString& name) {
    QString kept = cut(PlainText::plain(name));
    while (kept.endsWith(u' '))
        kept.chop(1);
    return kept;
}

bool isBlank(const QString& ownName) {
    return Runtime::trimBlanks(ownName).isEmpty();
}

int findOther(const Ledger& ledger, const QString& name, int except) {
    for (int i = 1; i < ledger.AccountCount; ++i)
        if (i != except && ledger.Accounts[size_t(i)].Name.trimmed() == name) return i;
    return 0;
}

QStringList ofKinds(const Ledger& ledger, unsigned kinds) {
    QStringList names;
    for (int k = 1; k < ledger.AccountCount; ++k) {
        const AccountRecord& a = ledger.Accounts[size_t(k)];
        if (a.Kind >= 0 && a.Kind < 32 && (kinds & AccountKinds::of(a.Kind)))
            names << a.Name.trimmed();
    }
    return names;
}

} // namespace AccountNames
