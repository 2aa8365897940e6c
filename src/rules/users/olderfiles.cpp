#include "rules/users/olderfiles.h"

#include "platform/codec.h"
#include "platform/fileio.h"
#include "rules/users/storedtext.h"
#include "store/ledger.h"
#include "store/recordfile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <limits>

namespace OlderFiles {

namespace {

QString oldText(QByteArrayView slot, int offset, int width) {
    return TextBeforeNul(Ansi::decode(slot.sliced(offset, width)));
}

qint32 oldInt32(QByteArrayView slot, int offset) {
    return qFromLittleEndian<qint32>(slot.data() + offset);
}

// Whole units become hundredths; a product beyond Int32 is kept as a double.
TaggedNumber hundredths(qint32 units) {
    const qint64 v = qint64(units) * 100;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return TaggedNumber::fromDouble(double(v));
    return TaggedNumber::fromInt32(qint32(v));
}

// Every whole slot of an older file, in order, converted into out.
template <typename Convert>
QByteArray convertRecords(const QByteArray& qvm, int slotLength, Convert convert) {
    QByteArray out;
    const int n = FileIO::recordCount(qvm, slotLength);
    for (int r = 1; r <= n; ++r)
        convert(FileIO::record(qvm, slotLength, r), out);
    return out;
}

enum class Step { Nothing, Done, Failed };

Step convertOne(const QString& folder, const QString& oldName, const QString& newName,
                QByteArray (*convert)(const QByteArray&)) {
    const QString oldPath = folder + oldName;
    if (!QFileInfo(oldPath).isFile()) return Step::Nothing;
    if (!QFileInfo::exists(folder + newName)) {
        const auto old = FileIO::readFile(oldPath);
        if (!old || !FileIO::writeFileSafely(folder + newName, convert(*old))) return Step::Failed;
    }
    // The converted data is safe on disk; an old file that stays is removed next time.
    QFile::remove(oldPath);
    return Step::Done;
}

} // namespace

const QStringList& userFolderLeftovers() {
    static const QStringList names = {
        QStringLiteral("Accounts.dat"),   QStringLiteral("Accounts.qvm"),
        QStringLiteral("Accounts.qvd"),   QStringLiteral("Main.dat"),
        QStringLiteral("Main.qvm"),       QStringLiteral("Main.qvd"),
        QStringLiteral("Note.dat"),       QStringLiteral("Favorites.dat"),
        QStringLiteral("Favorites1.dat"),
    };
    return names;
}

void removeUserFolderLeftovers(const QString& userFolder) {
    for (const QString& name : userFolderLeftovers()) {
        if (QFileInfo(userFolder + name).isFile()) QFile::remove(userFolder + name);
    }
}

QByteArray convertAccounts(const QByteArray& qvm) {
    return convertRecords(qvm, OldAccountSlot, [](QByteArrayView slot, QByteArray& out) {
        AccountRecord a;
        a.Name = oldText(slot, 0, 32);
        a.Kind = qFromLittleEndian<qint16>(slot.data() + 32);
        for (int j = 0; j <= 12; ++j)
            a.Budget[size_t(j)] = hundredths(oldInt32(slot, 34 + 4 * j));
        RecordFile::append(out, a);
    });
}

QByteArray convertEntries(const QByteArray& qvm) {
    return convertRecords(qvm, OldEntrySlot, [](QByteArrayView slot, QByteArray& out) {
        EntryCore e;
        e.Date = oldText(slot, 0, 10);
        e.Account1 = oldText(slot, 10, 32);
        e.Account2 = oldText(slot, 42, 32);
        e.Amount = hundredths(oldInt32(slot, 74));
        e.Detail = oldText(slot, 78, 60);
        RecordFile::append(out, e);
    });
}

bool convertLedgerFolder(const QString& ledgerFolder) {
    const Step accounts = convertOne(ledgerFolder, QStringLiteral("Accounts.qvm"),
                                     QStringLiteral("Accounts.qvd"), &convertAccounts);
    const Step entries = convertOne(ledgerFolder, QStringLiteral("Main.qvm"),
                                    QStringLiteral("Main.qvd"), &convertEntries);
    return accounts != Step::Failed && entries != Step::Failed;
}

bool convertUser(const QString& userFolder, const QStringList& ledgers) {
    removeUserFolderLeftovers(userFolder);
    for (const QString& ledger : ledgers) {
        if (!convertLedgerFolder(FileIO::subFolder(userFolder, ledger))) return false;
    }
    return true;
}

} // namespace OlderFiles
