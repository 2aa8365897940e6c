#pragma once
#include "store/ledger.h"
#include "store/plaintext.h"

// A fixed field read from a file that becomes an account name or a detail text: its text up
// to the first NUL (what follows is padding) loses its characters below U+0020. A clean
// field keeps its bytes, padding included, so that a clean file is written back unchanged.
template <int N> void MakePlainField(FixedText<N>& field) {
    QString text = field.text();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    if (!PlainText::isPlain(text)) field.set(PlainText::plain(text));
}
