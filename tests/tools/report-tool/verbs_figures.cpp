// Verbs of the shared report rules: shares and periods.
#include "reporttool.h"

#include "rules/reports/reportfigures.h"
#include "store/periods.h"

namespace {

int runShare(ToolRun&, const ToolArgs& args) {
    if (args.positional.size() != 2) return BadArguments(QStringLiteral("share AMOUNT TOTAL"));
    bool okAmount = false, okTotal = false;
    const double amount = args.positional[0].toDouble(&okAmount);
    const double total = args.positional[1].toDouble(&okTotal);
    if (!okAmount || !okTotal) return BadArguments(QStringLiteral("AMOUNT and TOTAL are numbers"));
    PrintText(ReportFigures::FormatShare(amount, total) + u'\n');
    return 0;
}

int runPeriod(ToolRun& run, const ToolArgs& args) {
    if (args.positional.size() != 2) return BadArguments(QStringLiteral("period YEAR CHOICE"));
    const int choice = PeriodChoiceIndex(args.positional[1]);
    if (choice < 0) return BadArguments(QStringLiteral("CHOICE is 全部, 整年 or 01月 to 12月"));
    const QDate today = run.ctx.services.clock().today();
    const int year = Periods::reportYear(args.positional[0], today);
    const Periods::ReportPeriod p =
        Periods::reportPeriod(choice, year, run.ctx.session.Setting, today);
    QJsonObject json;
    json.insert("first", p.start);
    json.insert("last", p.lastShown);
    json.insert("end", p.end);
    PrintJson(json);
    return 0;
}

const ReportVerb shareVerb("share", "share AMOUNT TOTAL", {}, false, runShare);
const ReportVerb periodVerb("period", "period YEAR CHOICE   (CHOICE 全部, 整年, 01月..12月)", {},
                            false, runPeriod);

} // namespace

int PeriodChoiceIndex(const QString& text) {
    if (text == u"全部") return 0;
    if (text == u"整年") return 1;
    for (int m = 1; m <= 12; ++m)
        if (text == QStringLiteral("%1月").arg(m, 2, 10, QLatin1Char('0'))) return m + 1;
    return -1;
}
