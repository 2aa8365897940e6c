#include "rules/users/namecheck.h"

#include "platform/codec.h"

namespace NameCheck {

namespace {

const QString kForbiddenCharacters = QStringLiteral("\\/:*?\"<>|");

// What makes a name unfit for a folder and a list line, in the order the messages name it:
// the characters a folder name cannot hold come first, as their message lists them.
Problem checkCommon(const QString& name) {
    if (name.trimmed().isEmpty()) return Problem::Empty;
    for (const QChar c : name)
        if (kForbiddenCharacters.contains(c)) return Problem::Forbidden;
    if (name.contains(u',')) return Problem::Comma;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control) return Problem::Control;
    if (name == u"." || name == u"..") return Problem::Reserved;
    if (!Ansi::isEncodable(name)) return Problem::Unsupported;
    return Problem::None;
}

Problem checkLength(const QString& name, int maxBytes) {
    const Problem problem = checkCommon(name);
    if (problem != Problem::None) return problem;
    if (Ansi::byteLength(name) > maxBytes) return Problem::TooLong;
    return Problem::None;
}

// what: "帳本" or "帳號".
QString message(Problem problem, const QString& what, int maxBytes) {
    const QString name = what + QStringLiteral("名稱");
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::Empty:
        return QStringLiteral("您還沒輸入") + name;
    case Problem::Forbidden:
        return name + QStringLiteral("中不可包含 \\/:*?\"<>| 字元");
    case Problem::Comma:
        return name + QStringLiteral("中不可包含逗號「,」");
    case Problem::Control:
        return name + QStringLiteral("中不可包含換行或其他控制字元");
    case Problem::Reserved:
        return name + QStringLiteral("不可以是「.」或「..」");
    case Problem::Unsupported:
        return name + QStringLiteral("不可以包含軟體不支援的文字!");
    case Problem::TooLong:
        return name + QStringLiteral("最多") + QString::number(maxBytes) +
               QStringLiteral("個字元 (一個中文字算2個字元)");
    }
    return QString();
}

} // namespace

Problem checkLedgerName(const QString& name) {
    return checkLength(name, MaxLedgerNameBytes);
}

Problem checkUserName(const QString& name) {
    return checkLength(name, MaxUserNameBytes);
}

bool isValidLedgerName(const QString& name) {
    return checkCommon(name) == Problem::None;
}

QString ledgerMessage(Problem problem) {
    return message(problem, QStringLiteral("帳本"), MaxLedgerNameBytes);
}

QString userMessage(Problem problem) {
    return message(problem, QStringLiteral("帳號"), MaxUserNameBytes);
}

} // namespace NameCheck
