#include "rules/schedule/memofiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "platform/codec.h"
#include "platform/fileio.h"

namespace {

qint16 int16At(const char* p) {
    return qFromLittleEndian<qint16>(p);
}

void appendInt16(QByteArray& out, qint16 v) {
    char b[2];
    qToLittleEndian<qint16>(v, b);
    out.append(b, 2);
}

// Text of a fixed field as the windows show it: no NULs, no trailing blanks.
QString fieldText(const char* p, int n) {
    QString t = Ansi::decode(QByteArrayView(p, n));
    t.remove(QChar(0));
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

// Reads at most `capacity` whole slots of a regular file. Sets `whole` to false when the
// file could not be read, held more slots or ended in a partial slot.
QByteArray readSlots(const QString& path, int slot, int capacity, bool& whole) {
    whole = true;
    const QFileInfo info(path);
    if (!info.exists()) return {};
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        whole = false;
        return {};
    }
    const qint64 limit = qint64(slot) * capacity;
    QByteArray bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError) {
        whole = false;
        return {};
    }
    if (!file.atEnd() || bytes.size() % slot != 0) whole = false;
    bytes.truncate(bytes.size() - bytes.size() % slot);
    return bytes;
}

bool keepUnread(MemoBook& book, const QString& folder, const QString& name) {
    if (!book.UnreadFiles.contains(name)) return true;
    const QString path = folder + name;
    if (QFileInfo(path).isFile()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return false;
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return false;
        if (!FileIO::writeFileSafely(path + QStringLiteral(".bad"), bytes)) return false;
    }
    book.UnreadFiles.removeAll(name);
    return true;
}

bool rewrite(MemoBook& book, const QString& folder, const QString& name, const QByteArray& bytes) {
    if (!keepUnread(book, folder, name)) return false;
    const QString path = folder + name;
    if (bytes.isEmpty()) {
        const QFileInfo info(path);
        return !(info.exists() || info.isSymLink()) || QFile::remove(path);
    }
    return FileIO::writeFileSafely(path, bytes);
}

template <typename T, typename Marked>
void compact(std::vector<T>& table, int& count, Marked marked) {
    int j = 1;
    for (int i = 1; i < count; ++i) {
        if (marked(table[i])) continue;
        if (j != i) table[j] = table[i];
        ++j;
    }
    count = j;
}

} // namespace

MemoBook::MemoBook() {
    clear();
}

void MemoBook::clear() {
    Memos.assign(MemoCapacity + 1, MemoRecord());
    FixedMemos.assign(FixedMemoCapacity + 1, FixedMemoRecord());
    MemoCount = 1;
    FixedMemoCount = 1;
}

bool MemoBook::addMemo(const MemoRecord& m) {
    if (MemoCount > MemoCapacity) return false;
    Memos[MemoCount++] = m;
    return true;
}

bool MemoBook::addFixedMemo(const FixedMemoRecord& m) {
    if (FixedMemoCount > FixedMemoCapacity) return false;
    FixedMemos[FixedMemoCount++] = m;
    return true;
}

void MemoBook::compactMemos() {
    compact(Memos, MemoCount,
            [](const MemoRecord& m) { return m.Date == QLatin1String("DeleteData"); });
}

void MemoBook::compactFixedMemos() {
    compact(FixedMemos, FixedMemoCount, [](const FixedMemoRecord& m) { return m.Period == 0; });
}

void LoadMemoFiles(MemoBook& book, const QString& userFolder) {
    book.clear();
    book.UnreadFiles.clear();
    bool whole = true;
    const QByteArray memos = readSlots(userFolder + QLatin1String(MemoBook::MemoFile),
                                       MemoBook::MemoSlot, MemoBook::MemoCapacity, whole);
    if (!whole) book.UnreadFiles << QLatin1String(MemoBook::MemoFile);
    for (qsizetype at = 0; at < memos.size(); at += MemoBook::MemoSlot) {
        const char* p = memos.constData() + at;
        MemoRecord m;
        m.Date = fieldText(p, 10);
        m.RemindOn = int16At(p + 10);
        m.RemindDays = int16At(p + 12);
        m.Text = fieldText(p + 14, 100);
        book.addMemo(m);
    }
    const QByteArray fixed = readSlots(userFolder + QLatin1String(MemoBook::FixedMemoFile),
                                       MemoBook::FixedMemoSlot, MemoBook::FixedMemoCapacity, whole);
    if (!whole) book.UnreadFiles << QLatin1String(MemoBook::FixedMemoFile);
    for (qsizetype at = 0; at < fixed.size(); at += MemoBook::FixedMemoSlot) {
        const char* p = fixed.constData() + at;
        FixedMemoRecord m;
        m.Period = quint8(p[0]);
        m.When = fieldText(p + 1, 5);
        m.RemindDays = int16At(p + 6);
        m.Text = fieldText(p + 8, 100);
        book.addFixedMemo(m);
    }
}

QByteArray MemoFileBytes(const MemoBook& book) {
    QByteArray out;
    out.reserve((book.MemoCount - 1) * MemoBook::MemoSlot);
    for (int i = 1; i < book.MemoCount; ++i) {
        const MemoRecord& m = book.Memos[i];
        out.append(Ansi::fixedField(m.Date, 10));
        appendInt16(out, m.RemindOn);
        appendInt16(out, m.RemindDays);
        out.append(Ansi::fixedField(m.Text, 100));
        out.append(MemoBook::MemoSlot - 114, '\0');
    }
    return out;
}

QByteArray FixedMemoFileBytes(const MemoBook& book) {
    QByteArray out;
    out.reserve((book.FixedMemoCount - 1) * MemoBook::FixedMemoSlot);
    for (int i = 1; i < book.FixedMemoCount; ++i) {
        const FixedMemoRecord& m = book.FixedMemos[i];
        out.append(char(m.Period));
        out.append(Ansi::fixedField(m.When, 5));
        appendInt16(out, m.RemindDays);
        out.append(Ansi::fixedField(m.Text, 100));
        out.append(MemoBook::FixedMemoSlot - 108, '\0');
    }
    return out;
}

bool SaveMemoFile(MemoBook& book, const QString& userFolder) {
    return rewrite(book, userFolder, QLatin1String(MemoBook::MemoFile), MemoFileBytes(book));
}

bool SaveFixedMemoFile(MemoBook& book, const QString& userFolder) {
    return rewrite(book, userFolder, QLatin1String(MemoBook::FixedMemoFile),
                   FixedMemoFileBytes(book));
}
