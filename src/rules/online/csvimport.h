#pragma once
#include <QByteArray>
#include <QList>

#include "rules/online/onlineservice.h"

// Staged rows from CSV files: seven columns (日期, 分類, 科目, 金額, 明細, 備註, 發票), extra
// fields dropped, missing ones empty, entities decoded after the date; a date that reads
// as one is written yyyy/mm/dd. A field that begins with a double quote runs to its
// closing quote ("" inside is one quote), so a quoted comma stays in its cell; other
// quotes are ordinary characters.
namespace CsvImport {

// cp950, no header; lines end at CR LF, CR or LF; blank lines are skipped. More rows than
// `room` give none (OnlineService::Staging).
OnlineService::Staging ImportCsvFile(const QByteArray& bytes, qsizetype room);
// UTF-8 with a header line that is never data (a byte-order mark falls in it); lines end
// at LF, one CR before it dropped; otherwise as ImportCsvFile.
OnlineService::Staging TavrixCsvFile(const QByteArray& bytes, qsizetype room);

// One line cut into its fields.
QStringList SplitCsvLine(const QString& line);

} // namespace CsvImport
