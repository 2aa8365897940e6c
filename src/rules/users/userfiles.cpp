#include "rules/users/userfiles.h"

#include "platform/codec.h"
#include "platform/fileio.h"
#include "rules/users/namecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace UserFiles {

QString encodePassword(const QString& password) {
    QString line;
    qsizetype i = 0;
    while (i < password.size()) {
        qsizetype len = 1;
        if (password.at(i).isHighSurrogate() && i + 1 < password.size()) len = 2;
        const int code = Ansi::charCode(password.mid(i, len));
        line += QString::number(code, 16).toUpper().rightJustified(4, u'0');
        i += len;
    }
    return line;
}

QString decodePassword(const QString& line) {
    QString result;
    for (qsizetype i = 0; i < line.size(); i += 4) {
        const QString group = line.mid(i, 4);
        for (const QChar c : group) {
            if (!c.isDigit() && !QStringLiteral("ABCDEFabcdef").contains(c)) return QString();
        }
        bool ok = false;
        const int code = group.toInt(&ok, 16);
        if (!ok) return QString();
        // Each group is one character: a code above 255 is a lead and a trail byte.
        QByteArray bytes;
        if (code > 255) bytes.append(char(code / 256));
        bytes.append(char(code % 256));
        result += Ansi::decode(bytes);
    }
    return result;
}

QString readPassword(const QString& userFolder) {
    const auto file = FileIO::readFile(userFolder + PasswordFileName);
    if (!file) return QString();
    const QStringList lines = FileIO::splitLines(*file);
    if (lines.isEmpty()) return QString();
    // The line is read as one data item: up to a comma, blanks around it dropped.
    QString line = lines.first();
    const qsizetype comma = line.indexOf(u',');
    if (comma >= 0) line.truncate(comma);
    return decodePassword(line.trimmed());
}

bool writePassword(const QString& userFolder, const QString& password) {
    // Only disguised: the file is its owner's alone from its first byte.
    return FileIO::writePrivateFileSafely(userFolder + PasswordFileName,
                                          FileIO::joinLines({encodePassword(password)}));
}

bool isPasswordAcceptable(const QString& password) {
    return password.size() >= 3 && password.size() <= 16 && Ansi::isEncodable(password);
}

QStringList readLedgerList(const QString& userFolder) {
    QStringList names;
    const auto file = FileIO::readFile(userFolder + LedgerListFileName);
    if (!file) return names;
    // Data items: an item ends at a comma or at any line end (CR LF, LF or CR), so a list
    // written by another editor reads the same.
    FileIO::QuotedFieldReader items(*file);
    while (const auto name = items.next())
        if (NameCheck::isValidLedgerName(*name)) names.append(*name);
    return names;
}

bool writeLedgerList(const QString& userFolder, const QStringList& names) {
    return FileIO::writeFileSafely(userFolder + LedgerListFileName, FileIO::joinLines(names));
}

bool makePrivateFolder(const QString& path) {
    return FileIO::makePrivateFolder(path);
}

bool createUser(const QString& dataRoot, const QString& name, const QString& password) {
    const QString folder = FileIO::subFolder(dataRoot, name);
    // On a first start the data folder itself may not exist yet.
    QDir().mkpath(dataRoot);
    if (QFileInfo::exists(dataRoot + name) || !makePrivateFolder(folder)) return false;
    if (writeLedgerList(folder, {}) && writePassword(folder, password)) return true;
    QDir(folder).removeRecursively();
    return false;
}

} // namespace UserFiles
