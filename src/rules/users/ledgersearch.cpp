#include "rules/users/ledgersearch.h"

#include "platform/fileio.h"
#include "store/ledger.h"
#include "store/recordfile.h"

namespace {

bool contains(const QString& field, const QString& text) {
    return field.contains(text, Qt::CaseInsensitive);
}

template <typename Record, typename Field>
bool recordsContain(const QString& path, const QString& text, Field field) {
    const QByteArray file = FileIO::readFile(path).value_or(QByteArray());
    const int n = RecordFile::recordsIn<Record>(file);
    for (int r = 1; r <= n; ++r) {
        Record record;
        if (RecordFile::readRecord(file, r, record) && contains(field(record).text(), text))
            return true;
    }
    return false;
}

bool noteRowsContain(const QString& path, const QString& text) {
    FileIO::QuotedFieldReader reader(FileIO::readFile(path).value_or(QByteArray()));
    while (const auto item = reader.next()) {
        if (contains(*item, text)) return true;
    }
    return false;
}

} // namespace

QStringList LedgersContaining(const QString& userFolder, const QStringList& ledgers,
                              const QString& text) {
    QStringList found;
    for (const QString& ledger : ledgers) {
        const QString folder = FileIO::subFolder(userFolder, ledger);
        if (recordsContain<EntryCore>(folder + QStringLiteral("Main.qvd"), text,
                                      [](const EntryCore& e) { return e.Detail; }) ||
            recordsContain<EntryNote>(folder + QStringLiteral("Main1.qvd"), text,
                                      [](const EntryNote& e) { return e.Note; }) ||
            noteRowsContain(folder + QStringLiteral("Main3.qvd"), text))
            found.append(ledger);
    }
    return found;
}
