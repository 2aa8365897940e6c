#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The names of sections and keys in the settings file, as QSettings writes and reads them.
namespace IniFormat {

// "\\" is the path separator of keys, "%XX" and "%UXXXX" escape every other character.
void appendKey(QByteArrayView key, QString& result);
// The key of a name read under a section ("name/", or empty outside any section).
QString keyOf(const QString& section, QByteArrayView name);
void escapeKey(QStringView key, QByteArray& out);
// The part of a key that picks its table: up to its first "/", that included.
QStringView groupOf(QStringView key);
// A key's name that escapeKey writes as it stands and appendKey reads as it stands.
bool isPlainName(QByteArrayView name);

} // namespace IniFormat
