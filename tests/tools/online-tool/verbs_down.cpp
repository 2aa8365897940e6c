// The download window on a ledger and a user folder: the posting and the remembered login.
#include "onlinetool.h"

#include "mainwin/mainform.h"
#include "online/downform.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonDocument>
#include <QLineEdit>

using namespace OnlineService;

namespace {

// A JSON array of rows of seven texts; false for anything else.
bool readRows(const QString& json, QList<StagedRow>& rows) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return false;
    for (const QJsonValue& row : doc.array()) {
        const QJsonArray cells = row.toArray();
        if (!row.isArray() || cells.size() != StagedColumns) return false;
        QStringList texts;
        for (const QJsonValue& cell : cells) {
            if (!cell.isString()) return false;
            texts.append(cell.toString());
        }
        rows.append(StagedRow::fromCells(texts));
    }
    return true;
}

// The rows staged as an import does, all ticked, then 加入帳本; the ledger is saved.
int runPost(OnlineRun& run, const VerbArgs& args) {
    QList<StagedRow> rows;
    if (args.positional.size() != 2 || !readRows(args.positional[1], rows))
        return BadArguments(QStringLiteral("post LEDGER ROWS_JSON   (an array of rows of seven "
                                           "texts)"));
    if (!run.open(args.positional[0])) return ExitNotOpened;
    // The window is not closed: its close would store the (empty) login of the tool.
    DownForm form(run.mainWindow());
    form.StageRows(rows);
    form.Command3_Click();
    const QJsonObject out{{"statuses", QJsonArray::fromStringList(form.Statuses())},
                          {"message", BoxText(run.prompts.boxes, "information")},
                          {"warning", BoxText(run.prompts.boxes, "warning")},
                          {"status", form.StatusText()}};
    if (run.ctx.ledger.LedgerChangedFlag.isSet() && !run.saveIfChanged()) return ExitNotOpened;
    PrintJson(out);
    return ExitOk;
}

// The login stored as the window's close does with 記住我的帳號密碼 ticked, then read back
// as the next opening does.
int runLogin(OnlineRun& run, const VerbArgs& args) {
    if (args.positional.size() != 1 && args.positional.size() != 3)
        return BadArguments(QStringLiteral("login USER_FOLDER [NAME PASSWORD]"));
    if (!run.useUserFolder(args.positional[0])) return ExitNotOpened;
    MainForm& main = run.mainWindow();
    {
        DownForm form(main);
        form.Text1->setText(args.positional.value(1));
        form.Text2->setText(args.positional.value(2));
        form.Check1->setChecked(true);
        form.Form_Unload();
    }
    const bool exists = QFile::exists(run.ctx.session.userFolder() + LoginFileName);
    DownForm form(main);
    const QJsonValue warning = BoxText(run.prompts.boxes, "warning");
    PrintJson(QJsonObject{{"exists", exists},
                          {"name", form.Text1->text()},
                          {"password", form.Text2->text()},
                          {"warning", warning}});
    return warning.isNull() ? ExitOk : ExitNotOpened;
}

const OnlineVerb postVerb("post", "post LEDGER ROWS_JSON", {}, {}, runPost);
const OnlineVerb loginVerb("login", "login USER_FOLDER [NAME PASSWORD]", {}, {}, runLogin);

} // namespace
