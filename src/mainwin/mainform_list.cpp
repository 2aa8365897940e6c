// The entry list: rows of one account for the period and filter, running total, the
// period figure, budget and row count panels, and the filter choices.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>
#include <cstring>

#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/balances.h"
#include "store/detailtext.h"
#include "store/figures.h"
#include "store/periods.h"
#include "windowparts/colourtable.h"
#include "windowparts/imagelist.h"

namespace {
const QBrush red(QColor(206, 0, 0));
const QBrush saturdayGreen(QColor(0, 112, 0));
const QBrush runningBlue(QColor(0, 0, 255));
const QString checkedMark = QStringLiteral("#勾選標記");
const QString uncheckedMark = QStringLiteral("#未勾選標記");

struct Row {
    QTreeWidgetItem* item;
    quint32 date; // yyyymmdd
    double value; // the amount cell as counted for the running total
    QString sortText;
};

// Rows compare by the text of the sort column, without regard to letter case.
bool rowLess(const Row& a, const Row& b) {
    return QString::compare(a.sortText, b.sortText, Qt::CaseInsensitive) < 0;
}

// A fixed field's text, trimmed; a field of blanks and NULs needs no decoding.
template <int N> QString fieldText(const FixedText<N>& field) {
    for (char c : field.bytes())
        if (c != ' ' && c != '\0') return field.trimmed();
    return QString();
}
} // namespace

void MainForm::ListAccountRecords(int accountIndex) {
    if (accountIndex == 0) return;
    const Session& session = m_ctx.session;
    const Ledger& ledger = m_ctx.ledger;
    const SettingMirrors& set = session.Setting;
    if (accountIndex < 1 || accountIndex >= ledger.AccountCount) {
        m_ctx.services.prompts->warning(QStringLiteral("列表發生錯誤!"));
        return;
    }
    const AccountRecord& account = ledger.Accounts[size_t(accountIndex)];
    const QString n = account.Name.trimmed();
    const int kind = account.Kind;
    const QDate today = m_ctx.services.clock->today();
    const quint32 todayKey = Periods::dateNumber(Periods::dateKey(today));
    const bool wholeUnits = session.DotState == QLatin1String("0");

    // 1. The period.
    const int year = PeriodYear();
    const int period = std::max(Combo1->currentIndex(), 0);
    const Periods::Bounds bounds = Periods::periodBounds(
        period, year, Periods::monthStartDay(set.DayState), set.DayState2 != QLatin1String("0"));
    const bool bounded = period != Periods::All;
    const quint32 fromKey = bounded ? Periods::dateNumber(bounds.start) : 0;
    const quint32 nextKey = Periods::dateNumber(bounds.next);

    // 2. and 3. Which entries make rows.
    const bool subAccounts = View_Show->isChecked() && (kind == KindIncome || kind == KindExpense);
    // A prefix compared from the first byte is a whole-character match in cp950.
    const QByteArray subPrefix = Ansi::encode(n + QLatin1Char('.'));
    const QString filter = Combo2->currentText();
    const QString filterLower = filter.toLower();
    auto passesFilter = [&](int i) {
        if (filter.isEmpty()) return true;
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (e.Detail.text().toLower().contains(filterLower) ||
            ledger.EntryNotes[size_t(i)].Note.text().toLower().contains(filterLower) ||
            ledger.noteRow(i).toLower().contains(filterLower))
            return true;
        const EntryInvoice& inv = ledger.EntryInvoices[size_t(i)];
        const QString digits = inv.InvoiceDigits.text();
        if (filter == digits ||
            filter == ledger.EntryStyles[size_t(i)].InvoiceLetters.text() + digits)
            return true;
        if (filter == FormatAmount(e.Amount, session).remove(QLatin1Char(','))) return true;
        return (filter == checkedMark && inv.Checked != 0) ||
               (filter == uncheckedMark && inv.Checked == 0);
    };

    // 4. One row per qualifying side.
    QBrush colours[ColourTable::Count];
    for (int c = 0; c < ColourTable::Count; ++c)
        colours[c] = QBrush(ColourTable::colour(c));
    std::vector<Row> rows;
    const int sortColumn = m_sortColumn - 1;
    // Rows name few distinct accounts: each is decoded once per listing.
    QHash<QByteArrayView, QString> nameOf;
    auto otherNameOf = [&](const FixedText<32>& other) -> const QString& {
        auto it = nameOf.find(other.bytes());
        if (it == nameOf.end()) it = nameOf.insert(other.bytes(), other.trimmed());
        return *it;
    };
    auto addRow = [&](int i, bool firstSide, quint32 dateKey) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const EntryNote& note = ledger.EntryNotes[size_t(i)];
        const EntryInvoice& inv = ledger.EntryInvoices[size_t(i)];
        const EntryStyle& style = ledger.EntryStyles[size_t(i)];
        const FixedText<32>& other = firstSide ? e.Account2 : e.Account1;
        const QString& otherName = otherNameOf(other);
        const int otherKind = PrefixKindCode(other, true);
        const int sign = ListRowSign(kind, firstSide, otherKind);
        const double signedAmount = sign * e.Amount.value();

        const QDate parsed(int(dateKey / 10000), int(dateKey / 100 % 100), int(dateKey % 100));
        const std::optional<QDate> date =
            parsed.isValid() ? std::optional<QDate>(parsed) : std::nullopt;
        // A valid stored date is exactly "yyyy/mm/dd" in ASCII already.
        const QString dateText = date ? QString::fromLatin1(e.Date.bytes()) : e.Date.trimmed();

        auto* item = new QTreeWidgetItem(QStringList{
            dateText,
            otherName,
            sign == 0 ? QString() : FormatAmount(signedAmount, session),
            QString(),
            fieldText(e.Detail),
            fieldText(note.Note),
            fieldText(style.InvoiceLetters) + fieldText(inv.InvoiceDigits),
            QString::number(i),
        });
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, inv.Checked != 0 ? Qt::Checked : Qt::Unchecked);
        item->setIcon(0,
                      ImageList2::icon(note.RemindOn == 0 ? 12 : (dateKey > todayKey ? 13 : 14)));
        if (date && date->dayOfWeek() == 7)
            item->setForeground(0, red);
        else if (date && date->dayOfWeek() == 6)
            item->setForeground(0, saturdayGreen);
        if (note.RemindOn != 0) item->setForeground(0, red);
        if (const int image = ImageList2::kindImage(otherName))
            item->setIcon(1, ImageList2::icon(image + 6));
        for (int c : {2, 3, 7})
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        if (sign != 0 && signedAmount < 0) item->setForeground(2, red);
        // A colour index beyond the table (damaged file) shows colour 0; the byte stays.
        const QBrush& colour =
            colours[style.ColourIndex < ColourTable::Count ? style.ColourIndex : 0];
        for (int c : {4, 5, 6})
            item->setForeground(c, colour);
        const double shown =
            sign == 0 ? 0.0 : (wholeUnits ? WholeUnitsAmount(signedAmount) : signedAmount);
        rows.push_back({item, dateKey, shown, item->text(sortColumn)});
    };

    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const bool first =
            e.Account1 == account.Name || (subAccounts && e.Account1.bytes().startsWith(subPrefix));
        const bool second = e.Account2 == account.Name;
        if (!first && !second) continue;
        const quint32 key = Periods::dateNumber(e.Date.bytes());
        if (bounded && (key < fromKey || key >= nextKey)) continue;
        if (!passesFilter(i)) continue;
        if (first) addRow(i, true, key);
        if (second) addRow(i, false, key);
    }

    // 9. Row order: by the text of the sort column, equal texts in the order added.
    if (m_sortDescending)
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return rowLess(b, a); });
    else
        std::stable_sort(rows.begin(), rows.end(), rowLess);

    // 5. Running total and the period figure.
    QString figure;
    double start = 0;
    if (!(n.startsWith(QLatin1String("I-")) || n.startsWith(QLatin1String("E-")) || !bounded ||
          ledger.EntryCount <= 1)) {
        start = AccountBalanceTo(ledger, session, accountIndex,
                                 Periods::dateKey(bounds.first.addDays(-1)));
        figure = FormatAmount(start, session) + QStringLiteral(" ~ ");
    }
    const bool noRunning = !filter.isEmpty() &&
                           (n.startsWith(QLatin1String("A-")) || n.startsWith(QLatin1String("L-")));
    const bool stopAtToday = set.AftState == QLatin1String("0");
    double t = start;
    double u = start;
    for (const Row& r : rows) {
        if (noRunning) {
            r.item->setText(3, QStringLiteral("--"));
            continue;
        }
        t += r.value;
        r.item->setText(3, FormatAmount(t, session));
        if (t < 0) r.item->setForeground(3, red);
        if (stopAtToday && r.date <= todayKey) u = t;
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (it->date <= todayKey) {
            it->item->setForeground(3, runningBlue);
            break;
        }
    if (stopAtToday) t = u;

    // The rows go in as one batch; filling never reports a check change.
    {
        const QSignalBlocker block(Liv1);
        m_filling = true;
        Liv1->setUpdatesEnabled(false);
        Liv1->clear();
        QList<QTreeWidgetItem*> ordered;
        ordered.reserve(qsizetype(rows.size()));
        for (const Row& r : rows)
            ordered << r.item;
        Liv1->insertTopLevelItems(0, ordered);
        Liv1->setUpdatesEnabled(true);
        m_filling = false;
    }

    SetPanelText(6, QString());
    SetPanelText(7, QString());
    figure += FormatAmount(t, session);
    SetPanelText(4, figure);
    SetPanelText(9, QString::number(rows.size()) + QStringLiteral(" / ") +
                        QString::number(ledger.EntryCount - 1));

    // 6. The figure under the view switches, read back from the tree's texts.
    auto figureFromNode = [&](QTreeWidgetItem* node) {
        const QString text = node ? node->text(0) : QString();
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
