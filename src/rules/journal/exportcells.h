#pragma once
// The cell rules of the journal's and the main list's exports: the shown texts of one row
// (日期 first, without the hidden entry index) made into the cells the shared writer gets.
#include <QStringList>

namespace ExportCells {

// Every CR LF, lone CR and lone LF as one blank.
QString breaksToBlanks(const QString& text);

// 日期, 分類, 科目, 金額, 明細, 備註, 發票 of a journal row.
QStringList journalCsvRow(const QStringList& shown);
// 日期, 類別, 金額, 累計, 明細, 備註, 發票 of a main-list row.
QStringList mainListCsvRow(const QStringList& shown);
// The page cells of either list: the first four as shown, the last three without their
// trailing blanks.
QStringList pageRow(const QStringList& shown);

} // namespace ExportCells
