#include "setup/detailtextlines.h"

namespace DetailTextLines {

namespace {
const QString CrLf = QStringLiteral("\r\n");

// Blanks only, as the stored texts are padded with blanks; tabs and breaks are content.
QString trimBlanks(const QString& s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s.at(from) == u' ')
        ++from;
    while (to > from && s.at(to - 1) == u' ')
        --to;
    return s.mid(from, to - from);
}
} // namespace

QString unfiledAccount() {
    return QStringLiteral("未分類");
}
QChar separator() {
    return QChar(0x0001);
}

QString exportLines(const QStringList& items) {
    QStringList lines;
    for (const QString& item : items) {
        const qsizetype cut = item.indexOf(separator());
        if (cut < 0) continue;
        const QString account = trimBlanks(item.left(cut));
        const QString text = trimBlanks(item.mid(cut + 1));
        lines << (account == unfiledAccount() ? text : account + u' ' + text);
    }
    return lines.join(CrLf);
}

QString accountLines(const QStringList& names) {
    QStringList lines;
    for (const QString& name : names)
        lines << trimBlanks(name);
    return lines.join(CrLf);
}

int importLines(const QString& text, const QStringList& accounts, QStringList& working) {
    int added = 0;
    const QStringList lines = text.split(CrLf);
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
        if (working.size() >= Capacity) continue;
        working << item;
        ++added;
    }
    return added;
}

} // namespace DetailTextLines
