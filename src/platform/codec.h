#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The ANSI code page of every data file: cp950 ("windows-950" in Qt; the name "cp950"
// selects another table). Trail bytes include '\' and ASCII letters, so encoded text is
// never searched, split or case-changed byte-wise: decode first.
namespace Ansi {
QByteArray encode(const QString& text); // characters outside the code page become '?'
QString decode(QByteArrayView bytes);   // a lone lead byte at the end becomes U+FFFD
int byteLength(const QString& text);    // bytes in cp950 (an unmappable character counts 1)
QString cutToBytes(const QString& text, int maxBytes); // never splits a character
bool isEncodable(const QString& text);                 // every character exists in cp950
int charCode(const QString& oneCharacter);             // single byte, or lead * 256 + trail
// True when every byte above ASCII is a lead byte (0x81-0xFE) followed by a trail byte
// (0x40-0x7E or 0xA1-0xFE): such bytes, cut anywhere but inside a pair, decode piece by
// piece to the same text as whole.
bool hasWholePairs(QByteArrayView bytes);
// True when decoding the bytes and encoding the text again gives the same bytes (every byte
// above ASCII is part of a two-byte character that has its own code).
bool encodesBack(QByteArrayView bytes);
inline bool isLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}
inline bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
}
// Exactly n bytes: encoded, cut on a character boundary, padded with blanks.
QByteArray fixedField(const QString& text, int n);
} // namespace Ansi
