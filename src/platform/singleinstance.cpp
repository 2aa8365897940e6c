#include "platform/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace {
QString defaultFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return folder;
}

QString userName() {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) name = qEnvironmentVariable("LOGNAME");
    if (name.isEmpty()) name = QDir::home().dirName();
    return name;
}
} // namespace

SingleInstance::SingleInstance(const QString& lockFolder) {
    const QString folder = lockFolder.isEmpty() ? defaultFolder() : lockFolder;
    QDir().mkpath(folder);
    // The temporary folder may be shared by all users: the user's name keeps them apart.
    m_fileName = folder + QLatin1String("/qivo-") + userName() + QLatin1String(".lock");
    m_lock = std::make_unique<QLockFile>(m_fileName);
    m_lock->setStaleLockTime(0); // a lock is stale only when its process is gone
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (m_lock->isLocked()) return true;
    return m_lock->tryLock(0);
}
