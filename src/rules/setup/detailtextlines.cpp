#include "rules/setup/detailtextlines.h"

#include <QRegularExpression>

#include "platform/runtime.h"
#include "store/detailtext.h"
#include "store/plaintext.h"

namespace DetailTextLines {

namespace {
const QString CrLf = QStringLiteral("\r\n");
} // namespace

QString fullMessage() {
    return QStringLiteral("最多只能新增1000筆明細");
}

QString exportLines(const QStringList& items) {
    QStringList lines;
    for (const QString& item : items) {
        const auto parts = DetailText::split(item);
        if (!parts) continue;
        const QString account = Runtime::trimBlanks(parts->owner);
        const QString text = Runtime::trimBlanks(parts->text);
        lines << (account == DetailText::unfiledOwner() ? text : account + u' ' + text);
    }
    return lines.join(CrLf);
}

QString accountLines(const QStringList& names) {
    QStringList lines;
    for (const QString& name : names)
        lines << Runtime::trimBlanks(name);
    return lines.join(CrLf);
}

ImportResult importLines(const QString& text, const QStringList& accounts, QStringList& working) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    ImportResult result;
    const QStringList lines = text.split(lineBreak);
    for (const QString& typed : lines) {
        // A tab or another control character inside a line is dropped, never stored.
        const QString line = PlainText::plain(typed);
        if (line.isEmpty()) continue;
        const qsizetype blank = line.indexOf(u' ');
        QString item;
        if (blank < 0) {
            item = DetailText::join(DetailText::unfiledOwner(), line);
        } else {
            const QString account = line.left(blank);
            if (!accounts.contains(account)) continue;
            item = DetailText::join(account, line.mid(blank + 1));
        }
        if (working.size() >= Capacity) {
            result.full = true;
            break;
        }
        working << item;
        ++result.added;
    }
    return result;
}

} // namespace DetailTextLines
