#include "store/filegroup.h"

#include <QFile>
#include <QSaveFile>
#include <memory>
#include <vector>

void FileGroup::write(const QString& path, const QByteArray& bytes) {
    m_items.append({path, bytes, false});
}

void FileGroup::remove(const QString& path) {
    m_items.append({path, QByteArray(), true});
}

bool FileGroup::commit() {
    std::vector<std::unique_ptr<QSaveFile>> files;
    bool written = true;
    for (const Item& item : m_items) {
        if (item.removal) continue;
        auto f = std::make_unique<QSaveFile>(item.path);
        f->setDirectWriteFallback(false);
        // Flushed here, so that a full disk shows before the first file is replaced.
        if (!f->open(QIODevice::WriteOnly) || f->write(item.bytes) != item.bytes.size() ||
            !f->flush()) {
            written = false;
            files.push_back(std::move(f));
            break;
        }
        files.push_back(std::move(f));
    }
    if (!written) {
        // Nothing is replaced; the temporaries go away with their QSaveFile.
        for (auto& f : files)
            f->cancelWriting();
        return false;
    }
    bool ok = true;
    for (auto& f : files)
        ok = f->commit() && ok;
    for (const Item& item : m_items)
        if (item.removal && QFile::exists(item.path)) ok = QFile::remove(item.path) && ok;
    return ok;
}
