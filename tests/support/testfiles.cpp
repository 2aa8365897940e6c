#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "platform/fileio.h"

namespace TestFiles {

void put(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY2(FileIO::writeFileSafely(path, bytes), qPrintable(path));
}

QByteArray get(const QString& path) {
    return FileIO::readFile(path).value_or(QByteArray("<missing>"));
}

bool ownerOnly(const QString& path) {
    const QFileInfo info(path);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return info.exists() && (info.permissions() & QFile::ReadOwner) &&
           !(info.permissions() & others);
}

} // namespace TestFiles
