#include "listrows.h"

#include <QTreeWidget>

QStringList ListRows(const QTreeWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* r = list->topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << r->text(c);
        rows << cells.join(u'|');
    }
    return rows;
}
