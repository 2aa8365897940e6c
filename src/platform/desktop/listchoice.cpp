#include "platform/desktop/listchoice.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>

namespace {

// Counts the selection changes, so that a click can tell whether its press changed the
// selection (the choice has run) or found the item already selected (it runs now).
class ChoiceWatch : public QObject {
public:
    ChoiceWatch(QAbstractItemView* list, std::function<void()> chosen)
        : QObject(list), m_list(list), m_chosen(std::move(chosen)) {
        list->viewport()->installEventFilter(this);
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] {
                    ++m_changes;
                    if (m_list->selectionModel()->hasSelection()) m_chosen();
                });
        connect(list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
            if (m_changes == m_changesAtPress && m_list->selectionModel()->isSelected(index))
                m_chosen();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick)
            m_changesAtPress = m_changes;
        return false;
    }

private:
    QAbstractItemView* m_list;
    std::function<void()> m_chosen;
    quint64 m_changes = 0;
    quint64 m_changesAtPress = 0;
};

} // namespace

void OnItemChosen(QAbstractItemView* list, std::function<void()> chosen) {
    new ChoiceWatch(list, std::move(chosen));
}

QModelIndex SelectedRow(const QAbstractItemView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QModelIndex() : rows.first();
}
