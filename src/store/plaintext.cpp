#include "store/plaintext.h"

namespace PlainText {

namespace {
bool isControl(QChar c) {
    return c.unicode() < 0x20;
}
} // namespace

bool isPlain(const QString& text) {
    for (QChar c : text)
        if (isControl(c)) return false;
    return true;
}

bool isPlainNote(const QString& note) {
    return isPlain(QString(note).remove(QStringLiteral("\r\n")));
}

QString plain(const QString& text) {
    if (isPlain(text)) return text;
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (!isControl(c)) kept += c;
    return kept;
}

} // namespace PlainText
