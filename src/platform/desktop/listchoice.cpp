#include "platform/desktop/listchoice.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>

namespace {

// Counts the selection changes, so that a click can tell whether its press changed the
// selection (the choice has run) or found the item already selected (it runs now). For a
// list view it also knows whether a mouse button or a key of the user is being handled.
class ChoiceWatch : public QObject {
public:
    ChoiceWatch(QAbstractItemView* list, std::function<void()> chosen, bool userOnly)
        : QObject(list), m_list(list), m_chosen(std::move(chosen)), m_userOnly(userOnly) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
            ++m_changes;
            if ((m_input || !m_userOnly) && m_list->selectionModel()->hasSelection()) m_chosen();
        });
        connect(list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
            if (m_changes == m_changesAtPress && m_list->selectionModel()->isSelected(index))
                m_chosen();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_changesAtPress = m_changes;
            m_input = true;
            break;
        case QEvent::MouseMove: // dragging over the rows selects as it goes
            break;
        case QEvent::KeyPress:
            m_input = true;
            break;
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
        case QEvent::FocusOut:
        case QEvent::Hide:
            m_input = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QAbstractItemView* m_list;
    std::function<void()> m_chosen;
    bool m_userOnly;
    bool m_input = false; // a press of the user is being handled
    quint64 m_changes = 0;
    quint64 m_changesAtPress = 0;
};

} // namespace

void OnItemChosen(QAbstractItemView* list, std::function<void()> chosen) {
    new ChoiceWatch(list, std::move(chosen), false);
}

void OnItemClicked(QAbstractItemView* list, std::function<void()> chosen) {
    new ChoiceWatch(list, std::move(chosen), true);
}

QModelIndex SelectedRow(const QAbstractItemView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QModelIndex() : rows.first();
}
