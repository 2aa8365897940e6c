#pragma once
#include <QString>

// Text that becomes one line of a file or a fixed field (an account name, a detail text, an
// entry's detail): a character below U+0020 would split the line, end the field or, as
// U+0001, read back as the separator of detail texts. Windows refuse such text; readers of
// files and of service replies drop the characters.
namespace PlainText {

// No character below U+0020.
bool isPlain(const QString& text);
// A note: its lines are joined by CR LF (its editor is multi-line); apart from those pairs
// no character below U+0020.
bool isPlainNote(const QString& note);
// The text without its characters below U+0020.
QString plain(const QString& text);

} // namespace PlainText
