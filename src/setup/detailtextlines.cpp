#include "setup/detailtextlines.h"

#include <QRegularExpression>

#include "platform/runtime.h"

namespace DetailTextLines {

namespace {
const QString CrLf = QStringLiteral("\r\n");
} // namespace

QString unfiledAccount() {
    return QStringLiteral("未分類");
}
QChar separator() {
    return QChar(0x0001);
}

QString fullMessage() {
    return QStringLiteral("最多只能新增1000筆明細");
}

QString exportLines(const QStringList& items) {
    QStringList lines;
    for (const QString& item : items) {
        const qsizetype cut = item.indexOf(separator());
        if (cut < 0) continue;
        const QString account = Runtime::trimBlanks(item.left(cut));
        const QString text = Runtime::trimBlanks(item.mid(cut + 1));
        lines << (account == unfiledAccount() ? text : account + u' ' + text);
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
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        const qsizetype blank = line.indexOf(u' ');
        QString item;
        if (blank < 0) {
            item = unfiledAccount() + separator() + line;
        } else {
            const QString account = line.left(blank);
            if (!accounts.contains(account)) continue;
            item = account + separator() + line.mid(blank + 1);
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
