// Requests to the service: the download, the clear and the winning numbers.
#include "onlinetool.h"

#include "mainwin/mainform.h"
#include "online/numberform.h"
#include "online/onlineservice.h"
#include "platform/settingsstore.h"

#include <QComboBox>
#include <QLineEdit>

using namespace OnlineService;

namespace {

QString serviceBase(OnlineRun& run) {
    return ServiceBaseUrl(ServiceHost(*run.ctx.services.settings));
}

int runDownload(OnlineRun& run, const VerbArgs& args) {
    if (args.positional.size() != 3 || !run.useService(args.positional[0], args))
        return BadArguments(QStringLiteral("download HOST NAME PASSWORD"));
    const QString& name = args.positional[1];
    const QString& password = args.positional[2];
    Prompts& prompts = *run.ctx.services.prompts;
    QString status;
    QList<StagedRow> rows;
    if (name.isEmpty() || password.isEmpty()) {
        prompts.warning(MsgEnterLogin);
    } else {
        status = MsgConnecting;
        const DownloadResult result = ParseDownloadReply(
            run.network.get(serviceBase(run) + DownloadRequestPath(name, password)));
        if (result.kind == DownloadResult::Kind::Rows) {
            rows = result.rows;
            status = RowCountStatus(int(rows.size()));
        } else {
            prompts.warning(DownloadMessage(result.kind));
            status.clear();
        }
    }
    PrintJson(QJsonObject{{"url", run.sentUrl()},
                          {"warning", BoxText(run.prompts.boxes, "warning")},
                          {"status", status},
                          {"rows", RowsJson(rows)}});
    return ExitOk;
}

int runClear(OnlineRun& run, const VerbArgs& args) {
    if (args.positional.size() != 3 || !run.useService(args.positional[0], args))
        return BadArguments(QStringLiteral("clear HOST NAME PASSWORD"));
    const QString& name = args.positional[1];
    const QString& password = args.positional[2];
    Prompts& prompts = *run.ctx.services.prompts;
    run.prompts.answers = {QStringLiteral("yes")};
    if (name.isEmpty() || password.isEmpty()) {
        prompts.warning(MsgEnterLogin);
    } else if (prompts.question(MsgClearQuestion) == Prompts::Answer::Yes) {
        switch (
            ParseClearReply(run.network.get(serviceBase(run) + ClearRequestPath(name, password)))) {
        case ClearResult::TimedOut:
            prompts.warning(MsgConnectFailed);
            break;
        case ClearResult::Refused:
            prompts.warning(MsgLoginRefused);
            break;
        case ClearResult::Done:
            prompts.information(MsgClearDone);
            break;
        case ClearResult::Ignored:
            break;
        }
    }
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
