#pragma once
// Small file helpers for tests that lay out fixtures on disk and read back what the
// program wrote.
#include <QByteArray>
#include <QString>

namespace TestFiles {
// Writes a whole file, creating its folder first; fails the running test when it cannot.
void put(const QString& path, const QByteArray& bytes);
// A file's bytes, or "<missing>" when it cannot be read (so a comparison shows why).
QByteArray get(const QString& path);
// Whether a file or folder is its owner's alone: the owner may read it, nobody else may
// touch it.
bool ownerOnly(const QString& path);
// Makes `link` a symbolic link to a device that reads as endless zeros, placed so that no
// write through the link can reach anything outside `folder`: a device node made inside
// `folder` where the system allows it (a privileged run), else the system's zero device,
// which an unprivileged run can neither replace nor change.
void linkToZeroDevice(const QString& link, const QString& folder);

// While it lives, no file this process writes can grow beyond `bytes`: a write past it
// fails (as on a full disk), also for a privileged run that file modes do not stop.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    quint64 m_old[2] = {0, 0};
};
} // namespace TestFiles
