#include "rules/setup/detailtextlist.h"

#include "rules/setup/detailtextlines.h"
#include "store/detailtext.h"

namespace DetailTextList {

namespace {
Outcome replaceFirst(QStringList& working, const QString& from, const QString& to) {
    const qsizetype at = working.indexOf(from);
    if (at < 0) return Outcome::NotFound;
    working[at] = to;
    return Outcome::Done;
}
} // namespace

QString item(const QString& account, const QString& text) {
    return DetailText::join(account, text);
}

QStringList textsOf(const QStringList& working, const QString& account) {
    QStringList texts;
    for (const QString& entry : working) {
        const auto parts = DetailText::split(entry);
        if (!parts || parts->owner != account) continue;
        // A second separator ends the text, as splitting the item into fields gives it.
        texts << parts->text.section(DetailText::separator(), 0, 0);
    }
    return texts;
}

QString countText(int listed, const QStringList& working) {
    return QString::number(listed) + QStringLiteral(" / ") + QString::number(working.size());
}

Outcome add(QStringList& working, const QString& account, const QString& text) {
    if (working.size() >= DetailTextLines::Capacity) return Outcome::Full;
    const QString full = item(account, text);
    if (working.contains(full)) return Outcome::Exists;
    working << full;
    return Outcome::Done;
}

Outcome rename(QStringList& working, const QString& account, const QString& oldText,
               const QString& newText) {
    return replaceFirst(working, item(account, oldText), item(account, newText));
}

Outcome remove(QStringList& working, const QString& account, const QString& text) {
    const qsizetype at = working.indexOf(item(account, text));
    if (at < 0) return Outcome::NotFound;
    working.removeAt(at);
    return Outcome::Done;
}

Outcome exchange(QStringList& working, const QString& account, const QString& text,
                 const QString& neighbour) {
    const qsizetype a = working.indexOf(item(account, text));
    const qsizetype b = working.indexOf(item(account, neighbour));
    if (a < 0 || b < 0) return Outcome::NotFound;
    working.swapItemsAt(a, b);
    return Outcome::Done;
}

Outcome copy(QStringList& working, const QString& source, const QString& text,
             const QString& target) {
    if (target == source) return Outcome::SameAccount;
    // As an addition to the target: within the capacity and without duplicates.
    return add(working, target, text);
}

Outcome move(QStringList& working, const QString& source, const QString& text,
             const QString& target) {
    if (target == source) return Outcome::SameAccount;
    return replaceFirst(working, item(source, text), item(target, text));
}

} // namespace DetailTextList
