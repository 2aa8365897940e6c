#include "store/backuppackage.h"

#include "platform/codec.h"
#include "platform/fileio.h"
#include "platform/runtime.h"
#include "store/appcontext.h"
#include "store/filegroup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

constexpr int kOwnerBytes = 20;
constexpr int kLengthBytes = 10;
constexpr int kHeaderBytes = kOwnerBytes + kLengthBytes;

// The entry group of a ledger: restored entries must not pick up the colours, invoices or
// notes of the entries that were there before.
const char* const kEntryGroupFollowers[] = {"Main1.qvd", "Main2.qvd", "Main2a.qvd", "Main3.qvd"};

struct PackedFile {
    QString folder; // empty for a file of the user folder itself
    QString name;
    qsizetype offset = 0;
    qsizetype length = 0;
};

QString listWorkFile(const Session& s) {
    return s.DataRoot + s.CurrentUser + ".lst";
}
QString dataWorkFile(const Session& s) {
    return s.DataRoot + s.CurrentUser + ".tmp";
}

// Work files of older runs never belong in or beside a package.
void removeWorkFiles(const Session& s) {
    QFile::remove(listWorkFile(s));
    QFile::remove(dataWorkFile(s));
}

QString ownerText(QByteArrayView field) {
    QString text = Ansi::decode(field);
    text.remove(QChar(0));
    // A field cut inside a character by an older writer still names its owner.
    if (text.endsWith(QChar::ReplacementCharacter)) text.chop(1);
    return Runtime::trimBlanks(text);
}

// Owner and user are compared after the same 20-byte cut the writer makes.
QString ownerKey(const QString& name) {
    return Runtime::trimBlanks(Ansi::cutToBytes(name, kOwnerBytes)).toLower();
}

// A name of one folder level: never the folder itself or its parent. Dots elsewhere are
// part of the name ("2023..2024" is a ledger like any other).
bool isPlainName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || c == u':' ||
            c == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

// "File" or "Ledger\File"; anything else could reach outside the user folder.
std::optional<PackedFile> splitPackagePath(const QString& path) {
    const QStringList parts = path.split(u'\\');
    PackedFile file;
    if (parts.size() == 1) {
        file.name = parts.at(0);
    } else if (parts.size() == 2) {
        file.folder = parts.at(0);
        file.name = parts.at(1);
        if (!isPlainName(file.folder)) return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!isPlainName(file.name)) return std::nullopt;
    return file;
}

// Strict decimal digits; nullopt for anything else or an absurd size.
std::optional<qsizetype> digitsValue(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 15) return std::nullopt;
    qsizetype value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// The length field: digits, left-aligned, blank padded.
std::optional<qsizetype> listLength(QByteArrayView field) {
    const QString text = Runtime::trimBlanks(Ansi::decode(field));
    return digitsValue(text);
}

// Checks the whole package before anything is written: list lines well formed, paths of
// the two known forms, lengths adding up exactly to the data part.
std::optional<QList<PackedFile>> parsePackage(const QByteArray& package) {
    if (package.size() < kHeaderBytes) return std::nullopt;
    const auto length = listLength(QByteArrayView(package).sliced(kOwnerBytes, kLengthBytes));
    if (!length || *length > package.size() - kHeaderBytes) return std::nullopt;

    // Split after decoding: a trail byte may look like any ASCII letter or "\".
    const QString list = Ansi::decode(QByteArrayView(package).sliced(kHeaderBytes, *length));
    QStringList lines = list.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty()) lines.removeLast();

    QList<PackedFile> files;
    qsizetype offset = kHeaderBytes + *length;
    for (const QString& line : std::as_const(lines)) {
        const qsizetype mark = line.indexOf(QChar(1));
        if (mark < 0) return std::nullopt;
        auto file = splitPackagePath(line.left(mark));
        const auto size = digitsValue(QStringView(line).sliced(mark + 1));
        if (!file || !size || *size > package.size() - offset) return std::nullopt;
        file->offset = offset;
        file->length = *size;
        offset += *size;
        files.append(*file);
    }
    if (offset != package.size()) return std::nullopt;
    return files;
}

void appendListLine(QByteArray& list, const QString& path, qsizetype length) {
    list.append(Ansi::encode(path));
    list.append('\x01');
    list.append(QByteArray::number(length));
    list.append("\r\n");
}

} // namespace

bool IsOwnerOnlyUserFile(const QString& name) {
    for (const char* secret : {"DataBase.pwd", "Download.dat"})
        if (name.compare(QLatin1String(secret), Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString BackupPackagePath(const Session& session) {
    return session.DataRoot + session.CurrentUser + ".qvk";
}

BackupBuild BuildBackupPackage(AppContext& ctx) {
    BackupBuild result;
    const Session& s = ctx.session;
    if (s.CurrentUser.isEmpty()) return result;
    const QString packagePath = BackupPackagePath(s);
    QFile::remove(packagePath);
    removeWorkFiles(s);

    // Built in memory, so no work file can be left behind. Each file is read before its list
    // line is written: a file that cannot be read is left out of both parts and reported.
    QByteArray list;
    QByteArray data;
    auto pack = [&](const QString& path, const QString& diskPath) {
        // A name the restore would refuse (or could not encode) would spoil the whole package.
        if (!splitPackagePath(path) || !Ansi::isEncodable(path)) return;
        const auto bytes = FileIO::readFile(diskPath);
        if (!bytes) {
            result.leftOut.append(path);
            return;
        }
        appendListLine(list, path, bytes->size());
        data.append(*bytes);
    };

    const QString userFolder = s.userFolder();
    for (const QString& folder : FileIO::subFolders(userFolder)) {
        const QString ledgerFolder = FileIO::subFolder(userFolder, folder);
        for (const QString& name : FileIO::plainFiles(ledgerFolder)) {
            if (name.endsWith(QStringLiteral(".qvd"), Qt::CaseSensitive))
                pack(folder + "\\" + name, ledgerFolder + name);
        }
    }
    for (const QString& name : FileIO::plainFiles(userFolder)) {
        if (!name.endsWith(QStringLiteral(".qvk"), Qt::CaseSensitive))
            pack(name, userFolder + name);
    }

    QByteArray package;
    package.reserve(kHeaderBytes + list.size() + data.size());
    package.append(Ansi::fixedField(s.CurrentUser, kOwnerBytes));
    package.append(Ansi::fixedField(QString::number(list.size()), kLengthBytes));
    package.append(list);
    package.append(data);
    result.written = FileIO::writePrivateFileSafely(packagePath, package);
    return result;
}

RestoreResult RestoreBackupPackage(AppContext& ctx) {
    const Session& s = ctx.session;
    const QString packagePath = BackupPackagePath(s);
    if (!QFileInfo(packagePath).isFile()) return RestoreResult::Missing;
    removeWorkFiles(s);
    const auto package = FileIO::readFile(packagePath);
    if (!package) return RestoreResult::NotWritten;

    // Whether it is a package at all comes before whose it is: any other file would
    // otherwise be reported as another user's backup.
    const auto files = parsePackage(*package);
    if (!files) return RestoreResult::Invalid;
    const QString owner = ownerText(QByteArrayView(*package).first(kOwnerBytes));
    if (ownerKey(owner) != ownerKey(s.CurrentUser)) return RestoreResult::OtherOwner;

    // Folders that did not exist are made for the restore and removed again when it fails.
    const QString userFolder = s.userFolder();
    QStringList madeFolders;
    auto makeFolder = [&](const QString& folder) {
        if (QFileInfo(folder).isDir()) return true;
        if (!FileIO::makePrivateFolder(folder)) return false;
        madeFolders.prepend(folder);
        return true;
    };
    auto fail = [&] {
        for (const QString& folder : std::as_const(madeFolders))
            QDir().rmdir(folder);
        return RestoreResult::NotWritten;
    };
    if (!makeFolder(userFolder)) return fail();

    FileGroup group(userFolder);
    QSet<QString> restoredMain;                // ledger folders whose Main.qvd is written
    QHash<QString, QSet<QString>> packedNames; // ledger folder -> lower-case file names
    for (const PackedFile& file : *files) {
        QString target = userFolder;
        if (!file.folder.isEmpty()) {
            target = FileIO::subFolder(userFolder, file.folder);
            if (!makeFolder(target)) return fail();
            packedNames[file.folder].insert(file.name.toLower());
        }
        target += file.name;
        if (file.folder.isEmpty() && file.name.toLower() == u"favorites.dat" &&
            QFileInfo::exists(userFolder + "Favorites1.dat"))
            group.remove(userFolder + "Favorites1.dat"); // left by an older program generation
        group.write(target, package->sliced(file.offset, file.length),
                    file.folder.isEmpty() && IsOwnerOnlyUserFile(file.name));
        if (!file.folder.isEmpty() && file.name.toLower() == u"main.qvd")
            restoredMain.insert(file.folder);
    }

    for (const QString& folder : std::as_const(restoredMain)) {
        const QSet<QString>& names = packedNames.value(folder);
        for (const char* follower : kEntryGroupFollowers) {
            const QString name = QString::fromLatin1(follower);
            if (names.contains(name.toLower())) continue;
            const QString path = FileIO::subFolder(userFolder, folder) + name;
            if (QFileInfo::exists(path)) group.remove(path);
        }
    }
    if (!group.commit()) return fail();
    return RestoreResult::Restored;
}

QString ReadBackupPackageOwner(const QString& packagePath) {
    const auto package = FileIO::readFile(packagePath);
    if (!package || !parsePackage(*package)) return QString();
    return ownerText(QByteArrayView(*package).first(kOwnerBytes));
}
