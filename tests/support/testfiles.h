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
} // namespace TestFiles
