#pragma once
#include <QString>
#include <memory>

class QLockFile;

// One running copy per user: a lock file in the user's runtime (or temporary) folder.
// The lock is held while this object lives.
class SingleInstance {
public:
    // lockFolder empty: the user's runtime folder, else the temporary folder.
    explicit SingleInstance(const QString& lockFolder = QString());
    ~SingleInstance();
    // True when this process holds the lock (no other copy runs).
    bool acquire();
    QString lockFileName() const { return m_fileName; }

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};
