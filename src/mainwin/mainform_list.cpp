// The entry list: rows of one account for the period and filter, running total, the
// period figure, budget and row count panels, and the filter choices.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "mainwin/accounttree.h"
#include "mainwin/entrylisting.h"
#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/balances.h"
#include "store/detailtext.h"
#include "store/figures.h"
#include "store/periods.h"

namespace {
const QString checkedMark = QStringLiteral("#勾選標記");
const QString uncheckedMark = QStringLiteral("#未勾選標記");

// Columns of figures: a figure cut with "..." reads as another figure.
constexpr int figureColumns[] = {EntryListModel::Date, EntryListModel::Amount,
                                 EntryListModel::Running, EntryListModel::Invoice};
// Where the view is too narrow for every column, the texts give way, notes first, the
// other account last.
constexpr int yieldingColumns[] = {EntryListModel::Note, EntryListModel::Detail,
                                   EntryListModel::Other};
} // namespace

void MainForm::ListAccountRecords(int accountIndex) {
    if (accountIndex == 0) return;
    const Session& session = m_ctx.session;
    const Ledger& ledger = m_ctx.ledger;
    const SettingMirrors& set = session.Setting;
    if (accountIndex < 1 || accountIndex >= ledger.AccountCount) {
        m_ctx.services.prompts().warning(QStringLiteral("列表發生錯誤!"));
        return;
    }
    const AccountRecord& account = ledger.Accounts[size_t(accountIndex)];
    const QString n = account.Name.trimmed();
    const int kind = account.Kind;
    const QDate today = m_ctx.services.clock().today();
    const quint32 todayKey = Periods::dateNumber(Periods::dateKey(today));

    // 1. The period.
    const int year = PeriodYear();
    const int period = std::max(Combo1->currentIndex(), 0);
    const Periods::Bounds bounds = Periods::periodBounds(
        period, year, Periods::monthStartDay(set.DayState), set.DayState2 != QLatin1String("0"));
    const bool bounded = period != Periods::All;
    const quint32 fromKey = bounded ? Periods::dateNumber(bounds.start) : 0;
    const quint32 nextKey = Periods::dateNumber(bounds.next);

    // 2. to 5. and 9. The rows, their order and running total (formatted when shown).
    EntryListing::Request request;
    request.account = accountIndex;
    request.subAccounts = View_Show->isChecked() && (kind == KindIncome || kind == KindExpense);
    request.bounded = bounded;
    request.fromKey = fromKey;
    request.nextKey = nextKey;
    request.filter = Combo2->currentText();
    request.sortColumn = m_sortColumn - 1;
    request.descending = m_sortDescending;
    request.todayKey = todayKey;
    request.stopAtToday = set.AftState == QLatin1String("0");
    QString figure;
    // The name's prefix, not the stored kind, decides whether a period starts from a balance.
    const int prefixKind = PrefixKindCode(n);
    if (!(prefixKind == KindIncome || prefixKind == KindExpense || !bounded ||
          ledger.EntryCount <= 1)) {
        request.start = AccountBalanceTo(ledger, session, accountIndex,
                                         Periods::dateKey(bounds.first.addDays(-1)));
        figure = FormatAmount(request.start, session) + QStringLiteral(" ~ ");
    }
    request.runningShown = !(!request.filter.isEmpty() && IsAssetOrLiabilityName(n));
    EntryListing::Result listed = EntryListing::listAccount(ledger, session, request);
    double t = listed.figure;
    const size_t rowCount = listed.rows.size();
    Liv1Rows->setRows(std::move(listed.rows), todayKey);
    fitListColumns();

    SetPanelText(6, QString());
    SetPanelText(7, QString());
    figure += FormatAmount(t, session);
    SetPanelText(4, figure);
    SetPanelText(9, QString::number(rowCount) + QStringLiteral(" / ") +
                        QString::number(ledger.EntryCount - 1));

    // 6. The figure under the view switches, read back from the tree's texts.
    auto figureFromNode = [&](QTreeWidgetItem* node) {
        const QString text = AccountNode::fullText(node); // the name as given, not as drawn
        const qsizetype at = text.indexOf(QStringLiteral(": "));
        if (at < 0) {
            SetPanelText(4, QStringLiteral("--"));
            return;
        }
        QString part = text.mid(at + 2);
        SetPanelText(4, part);
        t = ParseAmount(part, session);
    };
    if (View_Add->isChecked()) figureFromNode(SelectedNode());
    if (View_BudgetI->isChecked()) figureFromNode(Node(3));
    if (View_BudgetE->isChecked()) figureFromNode(Node(4));

    // 7. Budget and budget message.
    const int cell = Periods::budgetCell(period);
    if (PanelText(4) != QLatin1String("--") && cell >= 0) {
        auto budgetOf = [cell](const AccountRecord& a) { return a.Budget[size_t(cell)].value(); };
        double b = 0;
        if (View_Add->isChecked()) {
            // The account and its sub-accounts at any depth.
            const QString subPrefixText = n + QLatin1Char('.');
            for (int i = 1; i < ledger.AccountCount; ++i) {
                const QString name = ledger.Accounts[size_t(i)].Name.trimmed();
                if (name == n || name.startsWith(subPrefixText))
                    b += budgetOf(ledger.Accounts[size_t(i)]);
            }
        } else {
            b = budgetOf(account);
        }
        auto kindBudget = [&](int row, int ofKind) {
            double sum = budgetOf(ledger.KindTotals[size_t(row)]);
            if (sum == 0) {
                for (int i = 1; i < ledger.AccountCount; ++i)
                    if (ledger.Accounts[size_t(i)].Kind == ofKind)
                        sum += budgetOf(ledger.Accounts[size_t(i)]);
            }
            return sum;
        };
        if (View_BudgetI->isChecked())
            b = kindBudget(3, KindIncome);
        else if (View_BudgetE->isChecked())
            b = kindBudget(4, KindExpense);

        if (b == 0 && set.ZeroState == QLatin1String("1")) {
            SetPanelText(6, QStringLiteral("--"));
        } else {
            SetPanelText(6, FormatAmount(b, session));
            if ((kind == KindAsset || kind == KindIncome) && t < b)
                DrawPanelText(7, QStringLiteral(" 離目標還差 ") + FormatAmount(b - t, session) +
                                     QStringLiteral(" 元"));
            else if (kind == KindLiability && t > b)
                DrawPanelText(7, QStringLiteral(" 負債已超出預算"));
            else if (kind == KindExpense && t > b)
                DrawPanelText(7, QStringLiteral(" 支出超出預算 ") + FormatAmount(t - b, session) +
                                     QStringLiteral(" 元"));
            else if (kind == KindExpense)
                SetPanelText(7, QStringLiteral("還可以花 ") + FormatAmount(b - t, session) +
                                    QStringLiteral(" 元"));
        }
    }

    // 8. The end.
    ListedAccount = n;
    m_listStale = false;
    m_listCoversUpTo = ledger.EntryCount;
}

void MainForm::fitListColumns(int addedRow) {
    {
        const QScopedValueRollback fitting(m_fittingColumns, true);
        for (int column : figureColumns) {
            // A column of figures is never narrower than its own width; a row added widens it
            // only.
            const int widest =
                addedRow >= 0
                    ? std::max(ColumnTextWidth(Liv1, column, {addedRow}), Liv1->columnWidth(column))
                    : ColumnTextWidth(Liv1, column,
                                      Liv1Rows->longestTextRows(column, LongestTextsMeasured));
            const int width = std::max(widest, m_listWidths[size_t(column)]);
            if (Liv1->columnWidth(column) != width) Liv1->setColumnWidth(column, width);
        }
    }
    keepListColumnsInView();
}

void MainForm::keepListColumnsInView() {
    // A list not laid out yet has no width to keep to: the layout pass keeps to it.
    if (!isVisible()) return;
    QList<YieldingColumn> yielding;
    for (int column : yieldingColumns)
        yielding.append({column, m_listWidths[size_t(column)]});
    // An account name of usual length stays whole.
    yielding.last().narrowest = usualContentWidth(EntryListModel::Other);
    const QScopedValueRollback fitting(m_fittingColumns, true);
    KeepColumnsInView(Liv1, yielding);
}

void MainForm::FillClassFilterCombo() {
    const Ledger& ledger = m_ctx.ledger;
    const QSignalBlocker block(Combo2);
    const QString text = Combo2->currentText();
    QStringList choices = DetailText::textsOf(ledger, ListedAccount);
    choices << DetailText::textsOf(ledger, DetailText::unfiledOwner());
    choices << checkedMark << uncheckedMark;
    Combo2->clear();
    Combo2->addItems(choices);
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(text);
}
