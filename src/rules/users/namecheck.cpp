#include "rules/users/namecheck.h"

#include "platform/codec.h"

namespace NameCheck {

namespace {

const QString kForbiddenCharacters = QStringLiteral("\\/:*?\"<>|,");

Problem checkCommon(const QString& name) {
    if (name.trimmed().isEmpty()) return Problem::Empty;
    if (name == u"." || name == u"..") return Problem::Forbidden;
    for (const QChar c : name) {
        if (kForbiddenCharacters.contains(c) || c.category() == QChar::Other_Control)
            return Problem::Forbidden;
    }
    if (!Ansi::isEncodable(name)) return Problem::Forbidden;
    return Problem::None;
}

QString forbiddenMessage(const QString& what) {
    return what + QStringLiteral("名稱中不可包含 \\/:*?\"<>| 字元");
}

} // namespace

Problem checkLedgerName(const QString& name) {
    return checkCommon(name);
}

Problem checkUserName(const QString& name) {
    const Problem problem = checkCommon(name);
    if (problem != Problem::None) return problem;
    if (Ansi::byteLength(name) > MaxUserNameBytes) return Problem::TooLong;
    return Problem::None;
}

QString ledgerMessage(Problem problem) {
    if (problem == Problem::None) return QString();
    return forbiddenMessage(QStringLiteral("帳本"));
}

QString userMessage(Problem problem) {
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::TooLong:
        return QStringLiteral("帳號名稱最多20個字元 (一個中文字算2個字元)");
    case Problem::Empty:
    case Problem::Forbidden:
        break;
    }
    return forbiddenMessage(QStringLiteral("帳號"));
}

} // namespace NameCheck
