#pragma once
// A row of the main window's entry list (a view over its model), read and driven as a test
// reads and drives a list item: its texts, colours, check box, icon and selection.
#include <QAbstractItemModel>
#include <QBrush>
#include <QIcon>
#include <QItemSelectionModel>
#include <QTreeView>

struct EntryListRowRef {
    QTreeView* view = nullptr;
    int r = -1;

    static EntryListRowRef current(QTreeView* view) {
        const QModelIndex i = view->currentIndex();
        return {view, i.isValid() ? i.row() : -1};
    }
    bool isNull() const { return !view || r < 0 || r >= view->model()->rowCount(); }
    QModelIndex index(int column = 0) const { return view->model()->index(r, column); }
    QString text(int column) const { return index(column).data().toString(); }
    QBrush foreground(int column) const {
        return index(column).data(Qt::ForegroundRole).value<QBrush>();
    }
    QIcon icon(int column) const { return index(column).data(Qt::DecorationRole).value<QIcon>(); }
    Qt::CheckState checkState(int column) const {
        return Qt::CheckState(index(column).data(Qt::CheckStateRole).toInt());
    }
    // As a click on the check box reports it.
    void setCheckState(int column, Qt::CheckState state) {
        view->model()->setData(index(column), state, Qt::CheckStateRole);
    }
    void setText(int column, const QString& text) {
        view->model()->setData(index(column), text, Qt::EditRole);
    }
    bool isSelected() const { return view->selectionModel()->isRowSelected(r, QModelIndex()); }
    void setSelected(bool on) {
        view->selectionModel()->select(
            index(), (on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                         QItemSelectionModel::Rows);
    }
    QRect rect() const { return view->visualRect(index()); }
    // Lets tests keep the item spelling row->text(c).
    EntryListRowRef* operator->() { return this; }
    const EntryListRowRef* operator->() const { return this; }
    bool operator==(const EntryListRowRef& o) const { return view == o.view && r == o.r; }
};

// The selected rows, first to last.
inline QList<EntryListRowRef> SelectedEntryRows(QTreeView* view) {
    QList<EntryListRowRef> rows;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        if (view->selectionModel()->isRowSelected(r, QModelIndex())) rows.append({view, r});
    return rows;
}

// For QCOMPARE messages.
inline char* toString(const EntryListRowRef& row) {
    return qstrdup(QByteArray("row ").append(QByteArray::number(row.r)).constData());
}
