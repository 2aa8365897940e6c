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

} // namespace TestFiles
