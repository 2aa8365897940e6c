// The step verb: the year and month arrows of the report windows, each registered by its
// window's group.
#include "reporttool.h"

#include "mainwin/mainform.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QList<const StepWindow*>& windows() {
    static QList<const StepWindow*> all;
    return all;
}

QString windowNames() {
    QStringList names;
    for (const StepWindow* w : windows())
        names.append(w->name);
    return names.join(u'|');
}

int runStep(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 4)
        return BadArguments(QStringLiteral("step ") + windowNames() +
                            QStringLiteral(" YEAR ENTRY ARROW"));
    const StepWindow* window = nullptr;
    for (const StepWindow* w : windows())
        if (w->name == args.positional[0]) window = w;
    if (!window) return BadArguments(QStringLiteral("WINDOW is ") + windowNames());
    const QHash<QString, StepArrow> arrows{{"year-up", StepArrow::YearUp},
                                           {"year-down", StepArrow::YearDown},
                                           {"month-up", StepArrow::MonthUp},
                                           {"month-down", StepArrow::MonthDown}};
    const auto arrow = arrows.find(args.positional[3]);
    if (arrow == arrows.end())
        return BadArguments(QStringLiteral("ARROW is year-up, year-down, month-up or month-down"));
    run.main = std::make_unique<MainForm>(run.ctx); // over an empty ledger
    run.main->EndProcess = [] {};
    return window->run(run, args.positional[1], args.positional[2], *arrow);
}

const ReportVerb stepVerb("step",
                          "step ibs|budget|ie YEAR ENTRY ARROW   (ENTRY an entry of the "
                          "window's period list or -; ARROW year-up, year-down, month-up or "
                          "month-down)",
                          {}, false, runStep);

} // namespace

StepWindow::StepWindow(const char* name_, Run run_) : name(QString::fromUtf8(name_)), run(run_) {
    windows().append(this);
}

int PrintStep(const QLineEdit* yearBox, const QComboBox* list) {
    PrintJson(QJsonObject{
        {"year", yearBox->text()},
        {"entry", list->currentIndex() < 0 ? QStringLiteral("-") : list->currentText()}});
    return 0;
}
