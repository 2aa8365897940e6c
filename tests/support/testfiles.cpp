#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "platform/fileio.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

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

void linkToZeroDevice(const QString& link, const QString& folder) {
    QString device = QStringLiteral("/dev/zero");
#ifdef Q_OS_UNIX
    const QString own = FileIO::withTrailingSlash(folder) + QStringLiteral(".zero-device");
    if (QFileInfo(own).exists() ||
        ::mknod(QFile::encodeName(own).constData(), S_IFCHR | 0600, makedev(1, 5)) == 0)
        device = own;
#endif
    QVERIFY2(QFile::link(device, link), qPrintable(link));
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
#ifdef Q_OS_UNIX
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    m_old[0] = old.rlim_cur;
    m_old[1] = old.rlim_max;
    std::signal(SIGXFSZ, SIG_IGN); // the write reports the failure instead
    rlimit limit{rlim_t(bytes), old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
#else
    Q_UNUSED(bytes);
#endif
}

FileSizeLimit::~FileSizeLimit() {
#ifdef Q_OS_UNIX
    rlimit old{rlim_t(m_old[0]), rlim_t(m_old[1])};
    setrlimit(RLIMIT_FSIZE, &old);
#endif
}

} // namespace TestFiles
