#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// Replaces several files together: every new content is written to a temporary file
// beside its target first; only when all of them were written are they put in place
// (then the files to delete are removed). When any write fails, no target is touched.
class FileGroup {
public:
    void write(const QString& path, const QByteArray& bytes);
    void remove(const QString& path);
    // True when every file was put in place and every removal done.
    bool commit();

private:
    struct Item {
        QString path;
        QByteArray bytes;
        bool removal = false;
    };
    QList<Item> m_items;
};
