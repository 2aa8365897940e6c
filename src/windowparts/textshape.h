#pragma once
// What tells a list cell's drawn width from that of another text of its length, for the lists
// that fit their columns of figures by measuring a few rows only.

#include <QtGlobal>

#include "store/ledger.h"

// The length of fixed fields' trimmed texts and their shape: their characters with every
// digit as "0". Digits are drawn in one width, so that texts of one shape are as wide.
struct TextShape {
    int length = 0;
    quint64 shape = 14695981039346656037ull; // a hash of the characters so far
};

// Adds a field to a shape from its bytes when each is ASCII (one character each); false when
// the text must be decoded to know it.
template <int N> bool addShape(TextShape& text, const FixedText<N>& field) {
    int length = 0;
    int kept = 0;
    quint64 shape = text.shape;
    quint64 keptShape = shape;
    for (char c : field.bytes()) {
        if (c == '\0') continue;
        if (uchar(c) >= 0x80) return false;
        ++length;
        shape = (shape ^ uchar(c >= '0' && c <= '9' ? '0' : c)) * 1099511628211ull;
        if (c != ' ') {
            kept = length;
            keptShape = shape;
        }
    }
    text.length += kept;
    text.shape = keptShape;
    return true;
}
