#pragma once
#include <QString>
#include <QStringList>

// Which ledgers of a user hold a text in an entry's detail or note, read from the files on
// disk (unsaved changes are not seen). Letter case is ignored; the fixed fields keep their
// blank padding, and the long notes are compared as stored, escapes included.
QStringList LedgersContaining(const QString& userFolder, const QStringList& ledgers,
                              const QString& text);
