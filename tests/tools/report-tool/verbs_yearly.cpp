// Verbs of the yearly and the daily windows: their tabs and lists, the daily window's arrows.
#include "reporttool.h"

#include "mainwin/mainform.h"
#include "reports/ieform.h"
#include "reports/reportchart.h"
#include "reports/yearform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

namespace {

bool isRed(const QTreeWidgetItem* row, int column) {
    return row->foreground(column).color() == QColor(255, 0, 0);
}

QJsonObject listJson(const QTreeWidget* list, int columns) {
    QJsonArray header;
    for (int c = 0; c < columns; ++c)
        header.append(QJsonObject{{"header", list->headerItem()->text(c)},
                                  {"visible", !list->isColumnHidden(c)}});
    QJsonArray rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = list->topLevelItem(r);
        QJsonArray cells, red;
        for (int c = 0; c < columns; ++c) {
            cells.append(row->text(c));
            red.append(isRed(row, c));
        }
        rows.append(QJsonObject{{"cells", cells}, {"red", red}});
    }
    return QJsonObject{{"columns", header}, {"rows", rows}};
}

QJsonObject chartJson(const ReportChart* chart) {
    QJsonArray labels, first, second;
    for (int m = 1; m <= 12; ++m) {
        labels.append(chart->rowText(m));
        first.append(chart->value(m, 1));
        second.append(chart->value(m, 2));
    }
    return QJsonObject{{"labels", labels}, {"series", QJsonArray{first, second}}};
}

// A month "1".."12" (or "01".."12"); 0 for anything else.
int monthNumber(const QString& text) {
    bool ok = false;
    const int m = text.toInt(&ok);
    return ok && text.size() <= 2 && m >= 1 && m <= 12 ? m : 0;
}

int runYearly(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 1 || !args.has("year") || !args.has("tab"))
        return BadArguments(QStringLiteral("yearly LEDGER_FOLDER --year Y --tab 1|2|3"));
    const QString tab = args.option("tab");
    if (tab != u"1" && tab != u"2" && tab != u"3")
        return BadArguments(QStringLiteral("--tab is 1, 2 or 3"));
    const QString rollup = args.option("rollup");
    if (args.has("rollup") && rollup != u"0" && rollup != u"1")
        return BadArguments(QStringLiteral("--rollup takes 0 or 1"));
    if (!run.open(args.positional[0])) return 1;
    YearForm form(run.ctx, *run.main);
    form.Check1->setChecked(rollup != u"0");
    form.Text1->setText(args.option("year"));
    // Choosers by name: chooser 1 keeps its first account, chooser 2 nothing, unless given.
    for (int i = 0; i < 2; ++i) {
        const QString option = QStringLiteral("account%1").arg(i + 1);
        if (!args.has(option)) continue;
        const int at = form.Combo1[size_t(i)]->findText(args.option(option), Qt::MatchExactly);
        if (at < 0) return BadArguments(QStringLiteral("no account ") + args.option(option));
        form.Combo1[size_t(i)]->setCurrentIndex(at);
    }
    form.SelectTab(tab.toInt());
    const QJsonArray exports = RunExports(run, args, [&] { form.Command1->click(); });
    PrintJson(
        QJsonObject{{"caption", form.windowTitle()},
                    {"lists", QJsonArray{listJson(form.Liv1[0], 5), listJson(form.Liv1[1], 5)}},
                    {"chart", chartJson(form.MSChart1)},
                    {"exports", exports}});
    return 0;
}

int runDaily(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 1 || !args.has("year") || !args.has("month"))
        return BadArguments(QStringLiteral("daily LEDGER_FOLDER --year Y --month MM"));
    const int month = monthNumber(args.option("month"));
    if (month == 0) return BadArguments(QStringLiteral("--month is 01 to 12"));
    if (!run.open(args.positional[0])) return 1;
    IEForm form(run.ctx, *run.main);
    form.Text1->setText(args.option("year"));
    form.Combo1->setCurrentIndex(month - 1);
    form.Combo1_Click();
    const QJsonArray exports = RunExports(run, args, [&] { form.Command1->click(); });
    QJsonArray rows;
    for (int r = 0; r < form.Liv1->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = form.Liv1->topLevelItem(r);
        QJsonArray cells;
        for (int c = 0; c < 4; ++c)
            cells.append(row->text(c));
        rows.append(QJsonObject{{"cells", cells}, {"red", isRed(row, 3)}});
    }
    PrintJson(QJsonObject{{"rows", rows}, {"exports", exports}});
    return 0;
}

int stepDaily(ToolRun& run, const QString& year, const QString& entry, StepArrow arrow) {
    const int month = entry.endsWith(u'月') ? monthNumber(entry.chopped(1)) : 0;
    if (entry != u"-" && (month == 0 || entry.size() != 3))
        return BadArguments(QStringLiteral("ENTRY is 01月 to 12月 or -"));
    IEForm form(run.ctx, *run.main);
    form.Text1->setText(year);
    form.Combo1->setCurrentIndex(month - 1);
    PressArrow(form, arrow);
    return PrintStep(form.Text1, form.Combo1);
}

const ReportVerb yearlyVerb("yearly",
                            "yearly LEDGER_FOLDER --year Y --tab 1|2|3 [--account1 NAME] "
                            "[--account2 NAME] [--rollup 0|1]",
                            {"year", "tab", "account1", "account2", "rollup"}, true, runYearly);
const ReportVerb dailyVerb("daily", "daily LEDGER_FOLDER --year Y --month MM", {"year", "month"},
                           true, runDaily);
const StepWindow dailyStep("ie", stepDaily);

} // namespace
