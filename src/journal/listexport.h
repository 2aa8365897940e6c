#pragma once
#include <QString>

class MainView;

// 匯出目前科目: the rows the main window's entry list shows, as a page or a CSV file.
void ListExport(MainView& main);
// 家用_E-餐飲費-早餐_03月: ledger, the selected node's key with "." as "-", the period text.
QString ListExportTitle(const QString& ledgerName, const QString& nodeKey,
                        const QString& periodText);
