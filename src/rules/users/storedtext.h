#pragma once
#include <QString>

// A text as the older files and the merge compare it: up to its first NUL character,
// without trailing blanks (what follows a NUL is left-over padding, never text).
inline QString TextBeforeNul(const QString& stored) {
    QString text = stored;
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}
