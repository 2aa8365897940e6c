#include "windowparts/rowselection.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <algorithm>

void SelectListRows(QItemSelectionModel& selection, std::span<const int> rows) {
    const QAbstractItemModel* model = selection.model();
    const int lastColumn = model->columnCount() - 1;
    QItemSelection ranges;
    for (size_t first = 0; first < rows.size();) {
        size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        ranges.append(QItemSelectionRange(model->index(rows[first], 0),
                                          model->index(rows[last], lastColumn)));
        first = last + 1;
    }
    // The ranges hold whole rows already: the Rows flag would merge them into each other once
    // more, range by range.
    selection.select(ranges, QItemSelectionModel::ClearAndSelect);
}

QList<int> SelectedListRows(const QItemSelectionModel& selection) {
    QList<int> rows;
    for (const QItemSelectionRange& range : selection.selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.append(r);
    // Ranges come in the order they were selected in, and may meet in a row.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}
