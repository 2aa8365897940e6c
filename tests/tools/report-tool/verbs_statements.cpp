// Verbs of the statements window: the balance sheet, the income statement, the arrows.
#include "reporttool.h"

#include "mainwin/mainform.h"
#include "reports/ibsform.h"
#include "reports/reportchart.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include <memory>

namespace {

QString pickerText(const QDateEdit* p) {
    return p->date().toString(QStringLiteral("yyyy/MM/dd"));
}

QJsonObject listJson(const QTreeWidget* list) {
    QJsonArray header;
    for (int c = 0; c < 3; ++c)
        header.append(list->headerItem()->text(c));
    QJsonArray rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = list->topLevelItem(r);
        rows.append(QJsonArray{item->text(0), item->text(1), item->text(2)});
    }
    return QJsonObject{{"header", header}, {"rows", rows}};
}

QJsonObject pieJson(const ReportChart* chart) {
    QJsonArray slices;
    for (int i = 0; i < chart->sliceCount(); ++i) {
        const std::optional<QColor> colour = chart->sliceColour(i);
        slices.append(
            QJsonObject{{"label", chart->sliceLabel(i)},
                        {"value", chart->sliceValue(i)},
                        {"colour", colour ? QJsonValue(colour->name(QColor::HexRgb).toUpper())
                                          : QJsonValue()}});
    }
    return QJsonObject{{"label", chart->rowLabel()}, {"slices", slices}};
}

bool viewOption(const ToolArgs& args, const QString& name, QAction* item) {
    if (!args.has(name)) return true;
    const QString v = args.option(name);
    if (v != u"0" && v != u"1") return false;
    item->setChecked(v == u"1");
    return true;
}

std::unique_ptr<IBSForm> openWindow(ToolRun& run) {
    auto form = std::make_unique<IBSForm>(run.ctx, *run.main);
    form->Form_Load();
    return form;
}

int printStatement(ToolRun& run, IBSForm& form, const ToolArgs& args, bool balance) {
    const QJsonArray exports = RunExports(run, args, [&] { form.Command2->click(); });
    QJsonObject json;
    json.insert("title", balance ? form.BalanceSheetTitle : form.IncomeStatementTitle);
    json.insert("status", form.StatusBar1->text());
    json.insert("start", balance ? form.BalanceDate : form.IncomeStart);
    json.insert("end", balance ? form.BalanceDate : form.IncomeEnd);
    json.insert("pickers", QJsonObject{{"start", pickerText(form.DTPicker3)},
                                       {"end", pickerText(form.DTPicker2)}});
    json.insert("lists", QJsonArray{listJson(balance ? form.ListView1 : form.ListView3),
                                    listJson(balance ? form.ListView2 : form.ListView4)});
    json.insert("pies", QJsonArray{pieJson(balance ? form.MSChart1 : form.MSChart3),
                                   pieJson(balance ? form.MSChart2 : form.MSChart4)});
    json.insert("exports", exports);
    PrintJson(json);
    return 0;
}

std::optional<QDate> dayKey(const QString& text) {
    const QDate d = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    return d.isValid() && text.size() == 8 ? std::optional<QDate>(d) : std::nullopt;
}

int runBalance(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 2)
        return BadArguments(QStringLiteral("balance LEDGER_FOLDER DATE"));
    const std::optional<QDate> day = dayKey(args.positional[1]);
    if (!day) return BadArguments(QStringLiteral("DATE is yyyymmdd"));
    if (!run.open(args.positional[0])) return 1;
    std::unique_ptr<IBSForm> form = openWindow(run);
    if (!viewOption(args, "view-add", form->View_Add) ||
        !viewOption(args, "view-zero", form->View_Zero))
        return BadArguments(QStringLiteral("--view-add and --view-zero take 0 or 1"));
    form->DTPicker1->setDate(*day);
    form->Cmd3->click();
    form->TabStrip1->setCurrentIndex(0);
    return printStatement(run, *form, args, true);
}

int runIncome(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 1)
        return BadArguments(QStringLiteral("income LEDGER_FOLDER ..."));
    const bool byPeriod = args.has("year") || args.has("period");
    const bool byDates = args.has("from") || args.has("to");
    if (byPeriod == byDates)
        return BadArguments(QStringLiteral("either --year and --period or --from and --to"));
    int choice = -1;
    std::optional<QDate> from, to;
    if (byPeriod) {
        choice = PeriodChoiceIndex(args.option("period"));
        if (!args.has("year") || choice < 0)
            return BadArguments(QStringLiteral("--period is 全部, 整年 or 01月 to 12月"));
    } else {
        from = dayKey(args.option("from"));
        to = dayKey(args.option("to"));
        if (!from || !to) return BadArguments(QStringLiteral("--from and --to are yyyymmdd"));
    }
    if (!run.open(args.positional[0])) return 1;
    std::unique_ptr<IBSForm> form = openWindow(run);
    if (!viewOption(args, "view-add", form->View_Add) ||
        !viewOption(args, "view-zero", form->View_Zero))
        return BadArguments(QStringLiteral("--view-add and --view-zero take 0 or 1"));
    form->TabStrip1->setCurrentIndex(1);
    if (byPeriod) {
        form->Text1->setText(args.option("year"));
        form->Combo1->setCurrentIndex(choice);
        form->Combo1_Click(); // as a pick in the list does
    } else {
        form->DTPicker3->setDate(*from);
        form->DTPicker2->setDate(*to);
        form->Cmd4->click();
    }
    return printStatement(run, *form, args, false);
}

int stepIbs(ToolRun& run, const QString& year, const QString& entry, StepArrow arrow) {
    const int choice = entry == u"-" ? -1 : PeriodChoiceIndex(entry);
    if (entry != u"-" && choice < 0) return BadArguments(QStringLiteral("ENTRY is a period or -"));
    std::unique_ptr<IBSForm> form = openWindow(run);
    form->Text1->setText(year);
    form->Combo1->setCurrentIndex(choice);
    switch (arrow) {
    case StepArrow::YearUp:
        form->UpDown2_UpClick();
        break;
    case StepArrow::YearDown:
        form->UpDown2_DownClick();
        break;
    case StepArrow::MonthUp:
        form->UpDown1_UpClick();
        break;
    case StepArrow::MonthDown:
        form->UpDown1_DownClick();
        break;
    }
    return PrintStep(form->Text1, form->Combo1);
}

const ReportVerb balanceVerb("balance",
                             "balance LEDGER_FOLDER DATE [--view-add 0|1] [--view-zero 0|1]",
                             {"view-add", "view-zero"}, true, runBalance);
const ReportVerb incomeVerb("income",
                            "income LEDGER_FOLDER (--year Y --period CHOICE | --from yyyymmdd "
                            "--to yyyymmdd) [--view-add 0|1] [--view-zero 0|1]",
                            {"year", "period", "from", "to", "view-add", "view-zero"}, true,
                            runIncome);
const StepWindow ibsStep("ibs", stepIbs);

} // namespace
