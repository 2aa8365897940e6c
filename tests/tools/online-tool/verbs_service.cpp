// Requests to the service: the download, the clear and the winning numbers.
#include "onlinetool.h"

#include "mainwin/mainform.h"
#include "online/downform.h"
#include "online/numberform.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The download window's 下載資料 with the login typed.
int runDownload(OnlineRun& run, const VerbArgs& args) {
    if (args.positional.size() != 3 || !run.useService(args.positional[0], args))
        return BadArguments(QStringLiteral("download HOST NAME PASSWORD"));
    DownForm form(run.mainWindow());
    form.Text1->setText(args.positional[1]);
    form.Text2->setText(args.positional[2]);
    form.Command1_Click();
    PrintJson(QJsonObject{{"url", run.sentUrl()},
                          {"warning", BoxText(run.prompts.boxes, "warning")},
                          {"status", form.StatusText()},
                          {"rows", RowsJson(form.Rows())}});
    return ExitOk;
}

// The download window's 清除線上資料, its question answered Yes.
int runClear(OnlineRun& run, const VerbArgs& args) {
    if (args.positional.size() != 3 || !run.useService(args.positional[0], args))
        return BadArguments(QStringLiteral("clear HOST NAME PASSWORD"));
    run.prompts.answers = {QStringLiteral("yes")};
    DownForm form(run.mainWindow());
    form.Text1->setText(args.positional[1]);
    form.Text2->setText(args.positional[2]);
    form.Command6_Click();
    PrintJson(QJsonObject{{"url", run.sentUrl()},
                          {"warning", BoxText(run.prompts.boxes, "warning")},
                          {"info", BoxText(run.prompts.boxes, "information")}});
    return ExitOk;
}

int runNumbers(OnlineRun& run, const VerbArgs& args) {
    bool ok = false;
    const int period = args.positional.value(2).toInt(&ok);
    if (args.positional.size() != 3 || !ok || period < 0 || period > 5 ||
        !run.useService(args.positional[0], args))
        return BadArguments(QStringLiteral("numbers HOST YEAR PERIOD_INDEX"));
    NumberForm& form = run.mainWindow().LotteryWindow();
    form.Command2_Click(); // the boxes start empty
    form.Text0->setText(args.positional[1]);
    form.Combo1->setCurrentIndex(period);
    form.Command4_Click();
    QJsonArray boxes;
    for (const QLineEdit* box : form.Text1)
        boxes.append(box->text());
    for (const QLineEdit* box : form.Text2)
        boxes.append(box->text());
    PrintJson(QJsonObject{{"url", run.sentUrl()},
                          {"warning", BoxText(run.prompts.boxes, "warning")},
                          {"plain", BoxText(run.prompts.boxes, "plain")},
                          {"boxes", boxes}});
    return ExitOk;
}

const OnlineVerb downloadVerb("download", "download HOST NAME PASSWORD [--timeout-ms N]",
                              {"timeout-ms"}, {}, runDownload);
const OnlineVerb clearVerb("clear", "clear HOST NAME PASSWORD [--timeout-ms N]   (answers Yes)",
                           {"timeout-ms"}, {}, runClear);
const OnlineVerb numbersVerb("numbers", "numbers HOST YEAR PERIOD_INDEX [--timeout-ms N]",
                             {"timeout-ms"}, {}, runNumbers);

} // namespace
