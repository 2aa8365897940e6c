// The account tree: building it from the account table, nodes by position and key, and
// the tree state file of the open ledger.
#include <QComboBox>
#include <QTreeWidget>

#include "mainwin/accounttree.h"
#include "mainwin/mainform.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "store/treestate.h"
#include "windowparts/imagelist.h"

namespace {
const QString rootKeys[5] = {QStringLiteral("資產"), QStringLiteral("負債"), QStringLiteral("收入"),
                             QStringLiteral("支出"), QStringLiteral("其他")};

int rootOfPrefix(QStringView prefix) {
    const int kind = PrefixKindCode(prefix);
    return kind >= KindAsset ? kind - 1 : -1;
}
} // namespace

QTreeWidgetItem* MainForm::Node(int position) const {
    if (position < 1 || position > m_nodes.size()) return nullptr;
    return m_nodes[position - 1];
}

QTreeWidgetItem* MainForm::NodeByKey(const QString& key) const {
    return m_nodeByKey.value(key, nullptr);
}

QString MainForm::NodeKey(const QTreeWidgetItem* node) {
    return node ? node->data(0, Qt::UserRole).toString() : QString();
}

QTreeWidgetItem* MainForm::SelectedNode() const {
    const QList<QTreeWidgetItem*> selected = Trv1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QString MainForm::SelectedNodeKey() const {
    return NodeKey(SelectedNode());
}

void MainForm::SelectNode(QTreeWidgetItem* node) {
    if (!node) {
        Trv1->clearSelection();
        return;
    }
    Trv1->setCurrentItem(node);
    node->setSelected(true);
}

bool MainForm::IsRootNode(const QTreeWidgetItem* node) const {
    for (int i = 0; i < 5 && i < m_nodes.size(); ++i)
        if (m_nodes[i] == node) return true;
    return false;
}

int MainForm::SelectedAccountIndex() const {
    QTreeWidgetItem* node = SelectedNode();
    if (!node || IsRootNode(node)) return 0;
    return FindAccountIndex(m_ctx.ledger, NodeKey(node));
}

bool MainForm::ShowAccountNode(const QString& key) {
    // Positions 1 to 5 are the kind roots; accounts follow.
    for (int p = 6; p <= NodeCount(); ++p) {
        QTreeWidgetItem* node = Node(p);
        if (node && NodeKey(node) == key) {
            SelectNode(node);
            Trv1Click();
            return true;
        }
    }
    return false;
}

QTreeWidgetItem* MainForm::addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                                   int image) {
    if (m_nodeByKey.contains(key)) return nullptr; // a key that is already present adds nothing
    auto* node = new AccountNode;
    node->setText(0, text);
    node->setData(0, Qt::UserRole, key);
    node->setIcon(0, ImageList2::icon(image));
    // Roots go into the tree once they hold their nodes (BuildAccountTree): a node added
    // under an item outside the tree costs the view nothing.
    if (parent) parent->addChild(node);
    m_nodes << node;
    m_nodeByKey.insert(key, node);
    m_positionOf.insert(node, int(m_nodes.size()));
    // The label without a figure: "Equity" itself, else the last segment after the prefix.
    const QString rest = key.startsWith(QLatin1String("Eq")) ? key : key.mid(2);
    m_nodeLabels << (key.startsWith(QLatin1String("Eq"))
                         ? key
                         : rest.mid(rest.lastIndexOf(QLatin1Char('.')) + 1));
    return node;
}

const MainForm::AccountNodes& MainForm::accountNodes(int accountIndex) {
    if (m_accountNodes.size() <= size_t(accountIndex))
        m_accountNodes.resize(size_t(accountIndex) + 1);
    AccountNodes& a = m_accountNodes[size_t(accountIndex)];
    const QByteArrayView stored = m_ctx.ledger.Accounts[size_t(accountIndex)].Name.bytes();
    if (a.name == stored && !a.name.isEmpty()) return a;
    a.name = stored.toByteArray();
    a.ancestors.clear();
    QString key = m_ctx.ledger.Accounts[size_t(accountIndex)].Name.trimmed();
    auto positionOfKey = [&](const QString& k) {
        QTreeWidgetItem* node = m_nodeByKey.value(k, nullptr);
        const int p = node ? m_positionOf.value(node, 0) : 0;
        return p > 5 ? p : 0; // the roots never receive account figures
    };
    a.own = positionOfKey(key);
    if (!key.startsWith(QLatin1String("Eq"))) {
        for (qsizetype dot = key.lastIndexOf(QLatin1Char('.')); dot >= 0;
             dot = key.lastIndexOf(QLatin1Char('.'))) {
            key.truncate(dot);
            if (const int p = positionOfKey(key)) a.ancestors << p;
        }
    }
    return a;
}

void MainForm::setNodeText(int position, const QString& text) {
    QTreeWidgetItem* node = m_nodes[position - 1];
    if (AccountNode::fullText(node) != text) // an unchanged label costs the view nothing
        node->setText(0, text);
}

void MainForm::clearTree() {
    Trv1->clear();
    m_nodes.clear();
    m_nodeByKey.clear();
    m_nodeLabels.clear();
    m_positionOf.clear();
    m_accountNodes.clear();
}

void MainForm::BuildAccountTree() {
    const Ledger& ledger = m_ctx.ledger;
    Trv1->setUpdatesEnabled(false);
    clearTree();

    for (const QString& key : rootKeys)
        addNode(nullptr, key, key, 6);

    for (int i = 1; i < ledger.AccountCount; ++i) {
        const QString name = ledger.Accounts[size_t(i)].Name.trimmed();
        const QStringView prefix = QStringView(name).left(2);
        const int root = rootOfPrefix(prefix);
        if (root >= 0) {
            const QStringList segments = name.split(QLatin1Char('.'));
            const int image = ImageList2::kindImage(name);
            QString key;
            for (int j = 0; j < segments.size(); ++j) {
                QTreeWidgetItem* parent = j == 0 ? m_nodes[root] : m_nodeByKey.value(key);
                key = j == 0 ? segments[0] : key + QLatin1Char('.') + segments[j];
                const QString text = j == 0 ? segments[0].mid(2) : segments[j];
                if (parent) addNode(parent, key, text, image);
            }
        } else if (prefix == u"Eq") {
            addNode(m_nodes[4], QStringLiteral("Equity"), QStringLiteral("Equity"), 1);
        }
    }

    Trv1->addTopLevelItems(QList<QTreeWidgetItem*>(m_nodes.begin(), m_nodes.begin() + 5));
    for (int r = 0; r < 4; ++r)
        m_nodes[r]->setExpanded(true);
    Trv1->setUpdatesEnabled(true);
    Trv1->scrollToItem(m_nodes[0]);

    QTreeWidgetItem* first = nullptr;
    if (ledger.AccountCount > 1) {
        const QString firstName = ledger.Accounts[1].Name.trimmed();
        for (int p = 6; p <= m_nodes.size() && !first; ++p)
            if (NodeKey(m_nodes[p - 1]) == firstName) first = m_nodes[p - 1];
    }
    Trv1->clearSelection();
    if (first) SelectNode(first);

    Combo2->setEditText(QString());
    UpdateTreeTotals();
    if (first) ListAccountRecords(FindAccountIndex(ledger, NodeKey(first)));
    SelectLastRow();
    FillClassFilterCombo();
}

void MainForm::LoadExpandedState() {
    const QList<std::optional<bool>> lines = ReadExpandedState(m_ctx.session);
    for (int n = 1; n <= lines.size() && n <= NodeCount(); ++n)
        if (lines[n - 1].has_value()) m_nodes[n - 1]->setExpanded(*lines[n - 1]);
    m_ctx.ledger.TreeStateChanged = false;
}

void MainForm::SaveExpandedState() {
    QList<bool> states;
    states.reserve(m_nodes.size());
    for (QTreeWidgetItem* node : std::as_const(m_nodes))
        states << node->isExpanded();
    // A tree state that cannot be written keeps its old file; the close goes on silently.
    static_cast<void>(WriteExpandedState(m_ctx, states));
}
