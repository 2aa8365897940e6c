// Verbs of the budget windows: the budget table, typing a record's budgets, clearing a
// period's budgets, the table's arrows.
#include "reporttool.h"

#include "mainwin/mainform.h"
#include "reports/budgetform.h"
#include "reports/budgetshowform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

namespace {

using Column = BudgetShowForm::Column;

// List index of the table's period list ("整年" 0, "01月".."12月" 1..12); -1 for any other
// text.
int budgetChoice(const QString& text) {
    const int statements = PeriodChoiceIndex(text);
    return statements >= 1 ? statements - 1 : -1;
}

QJsonArray rowsJson(const BudgetShowForm& form) {
    QJsonArray rows;
    for (int r = 0; r < form.Liv1->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = form.Liv1->topLevelItem(r);
        QJsonArray cells;
        for (int c = Column::ColName; c <= Column::ColProgress; ++c)
            cells.append(row->text(c));
        rows.append(QJsonObject{
            {"cells", cells},
            {"colour", row->foreground(Column::ColProgress).color().name(QColor::HexRgb).toUpper()},
            {"bold", row->font(Column::ColName).bold()}});
    }
    return rows;
}

// The table as the main window opens it, then the year and period chosen as a user would
// (the year defaults to the year of today).
std::unique_ptr<BudgetShowForm> openTable(ToolRun& run, const ToolArgs& args, int choice) {
    auto form = std::make_unique<BudgetShowForm>(run.ctx, *run.main);
    form->Text1->setText(args.has("year") ? args.option("year")
                                          : QString::number(run.clock.today().year()));
    if (choice >= 0) form->Combo1->setCurrentIndex(choice);
    form->Combo1_Click();
    return form;
}

// Saves in place as the save button does; false (with the boxes on stderr) when it failed.
bool saveLedger(ToolRun& run) {
    const qsizetype boxes = run.prompts.texts.size();
    run.main->File_Save_Click();
    if (!run.ctx.ledger.LedgerChangedFlag.isSet()) return true;
    PrintError(QStringLiteral("not saved: ") + run.prompts.texts.mid(boxes).join(u'\n'));
    return false;
}

int runBudget(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 1)
        return BadArguments(QStringLiteral("budget LEDGER_FOLDER --period CHOICE"));
    const int choice = budgetChoice(args.option("period"));
    if (choice < 0) return BadArguments(QStringLiteral("--period is 整年 or 01月 to 12月"));
    const QString rollup = args.option("rollup");
    if (args.has("rollup") && rollup != u"0" && rollup != u"1")
        return BadArguments(QStringLiteral("--rollup takes 0 or 1"));
    if (!run.open(args.positional[0])) return 1;
    std::unique_ptr<BudgetShowForm> form = openTable(run, args, choice);
    form->Check1->setChecked(rollup == u"1");
    form->Check1_Click();
    const QJsonArray exports = RunExports(run, args, [&] { form->Command1->click(); });
    PrintJson(QJsonObject{
        {"rows", rowsJson(*form)}, {"clearCaption", form->Command3->text()}, {"exports", exports}});
    return 0;
}

// The table's row of a full account name, "收入總和" or "支出總和"; nullptr when none.
QTreeWidgetItem* targetRow(const BudgetShowForm& form, const QString& target) {
    for (int r = 0; r < form.Liv1->topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = form.Liv1->topLevelItem(r);
        if (form.IsSeparator(row)) continue;
        const bool total = row->text(Column::ColIndex).toInt() < 0;
        const QString name = total ? row->text(Column::ColName)
                                   : row->text(Column::ColPrefix) + row->text(Column::ColName);
        if (name == target) return row;
    }
    return nullptr;
}

int runBudgetSet(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 15)
        return BadArguments(
            QStringLiteral("budget-set LEDGER_FOLDER TARGET BOX0 .. BOX12 (13 box texts)"));
    const QString before = args.option("before");
    const QStringList buttons{"月份加總", "月份均分", "清除"};
    if (args.has("before") && !buttons.contains(before))
        return BadArguments(QStringLiteral("--before is 月份加總, 月份均分 or 清除"));
    if (!run.open(args.positional[0])) return 1;
    std::unique_ptr<BudgetShowForm> table = openTable(run, args, -1);
    const QString& target = args.positional[1];
    QTreeWidgetItem* row = targetRow(*table, target);
    if (!row)
        return BadArguments(QStringLiteral("no budget row ") + target +
                            QStringLiteral(" (a full account name, 收入總和 or 支出總和)"));

    const QStringList typed = args.positional.mid(2);
    QJsonArray boxes;
    QStringList warnings;
    bool stored = false;
    run.modal.handler = [&](QDialog& dialog) {
        auto* form = qobject_cast<BudgetForm*>(&dialog);
        if (!form) return int(QDialog::Rejected);
        const qsizetype shown = run.prompts.texts.size();
        for (int i = 0; i < BudgetCells::CellCount; ++i)
            form->Text1[size_t(i)]->setText(typed[i]);
        if (before == u"月份加總") form->Command2->click();
        if (before == u"月份均分") form->Command5->click();
        if (before == u"清除") form->Command6->click();
        form->Command1->click();
        for (const QLineEdit* box : form->Text1)
            boxes.append(box->text());
        warnings = run.prompts.texts.mid(shown);
        stored = form->result() == QDialog::Accepted;
        return form->result();
    };
    table->Liv1->setCurrentItem(row);
    table->Command2->click(); // 設定預算
    run.modal.handler = nullptr;
    if (stored && !saveLedger(run)) return 1;
    PrintJson(QJsonObject{
        {"boxes", boxes}, {"warnings", QJsonArray::fromStringList(warnings)}, {"stored", stored}});
    return 0;
}

int runBudgetClear(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 1)
        return BadArguments(QStringLiteral("budget-clear LEDGER_FOLDER --period CHOICE"));
    const int choice = budgetChoice(args.option("period"));
    if (choice < 0) return BadArguments(QStringLiteral("--period is 整年 or 01月 to 12月"));
    if (!run.open(args.positional[0])) return 1;
    std::unique_ptr<BudgetShowForm> form = openTable(run, args, choice);
    const qsizetype shown = run.prompts.texts.size();
    run.prompts.answers = {Prompts::Answer::Yes};
    form->Command3->click();
    run.prompts.answers.clear();
    const QString question = run.prompts.texts.value(shown);
    if (!saveLedger(run)) return 1;
    PrintJson(QJsonObject{{"question", question},
                          {"rows", rowsJson(*form)},
                          {"clearCaption", form->Command3->text()}});
    return 0;
}

int stepBudget(ToolRun& run, const QString& year, const QString& entry, StepArrow arrow) {
    const int choice = entry == u"-" ? -1 : budgetChoice(entry);
    if (entry != u"-" && choice < 0)
        return BadArguments(QStringLiteral("ENTRY is 整年, 01月 to 12月 or -"));
    BudgetShowForm form(run.ctx, *run.main);
    form.Text1->setText(year);
    form.Combo1->setCurrentIndex(choice);
    PressArrow(form, arrow);
    return PrintStep(form.Text1, form.Combo1);
}

const ReportVerb budgetVerb("budget",
                            "budget LEDGER_FOLDER [--year Y] --period CHOICE [--rollup 0|1]   "
                            "(CHOICE 整年, 01月..12月)",
                            {"year", "period", "rollup"}, true, runBudget);
const ReportVerb budgetSetVerb("budget-set",
                               "budget-set LEDGER_FOLDER TARGET BOX0 .. BOX12 "
                               "[--before 月份加總|月份均分|清除]   (TARGET a full account "
                               "name, 收入總和 or 支出總和)",
                               {"before"}, false, runBudgetSet);
const ReportVerb budgetClearVerb("budget-clear",
                                 "budget-clear LEDGER_FOLDER [--year Y] --period CHOICE",
                                 {"year", "period"}, false, runBudgetClear);
const StepWindow budgetStep("budget", stepBudget);

} // namespace
