// The two CSV imports of the download window.
#include "onlinetool.h"

#include "rules/online/csvimport.h"

using namespace OnlineService;

namespace {

// A file that cannot be read lists nothing, as in the window. No ledger limits the rows.
int runImport(const VerbArgs& args, Staging (*read)(const QByteArray&, qsizetype),
              const char* usage) {
    if (args.positional.size() != 1) return BadArguments(QString::fromUtf8(usage));
    QByteArray bytes;
    const QList<StagedRow> rows = ReadArgumentFile(args.positional[0], bytes)
                                      ? read(bytes, NoRoomLimit).rows
                                      : QList<StagedRow>();
    PrintJson(QJsonObject{{"status", RowCountStatus(int(rows.size()))}, {"rows", RowsJson(rows)}});
    return ExitOk;
}

int runCsv(OnlineRun&, const VerbArgs& args) {
    return runImport(args, &CsvImport::ImportCsvFile, "import FILE");
}

int runTavrix(OnlineRun&, const VerbArgs& args) {
    return runImport(args, &CsvImport::TavrixCsvFile, "import-tavrix FILE");
}

const OnlineVerb importVerb("import", "import FILE   (cp950, no header)", {}, {}, runCsv);
const OnlineVerb tavrixVerb("import-tavrix", "import-tavrix FILE   (UTF-8, a header line)", {}, {},
                            runTavrix);

} // namespace
