#pragma once
// Staged rows as the tables of cases write them: seven texts each, in the list's order.
#include <QList>
#include <QStringList>

#include "rules/online/onlineservice.h"

inline QList<QStringList> StagedCells(const QList<OnlineService::StagedRow>& rows) {
    QList<QStringList> cells;
    for (const OnlineService::StagedRow& row : rows)
        cells.append(row.cells());
    return cells;
}

inline QList<OnlineService::StagedRow> StagedRows(const QList<QStringList>& cells) {
    QList<OnlineService::StagedRow> rows;
    for (const QStringList& row : cells)
        rows.append(OnlineService::StagedRow::fromCells(row));
    return rows;
}
