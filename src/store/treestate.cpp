#include "store/treestate.h"

#include <QFile>

#include "platform/fileio.h"
#include "store/ledgerfiles.h"
#include "store/linefiles.h"

QList<std::optional<bool>> ReadExpandedState(const Session& session) {
    const auto file = FileIO::readFile(LedgerFiles::path(session, LedgerFiles::Expanded));
    if (!file) return {};
    return LineFiles::readBoolLines(*file);
}

bool WriteExpandedState(AppContext& ctx, const QList<bool>& expanded) {
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Expanded);
    if (QFile::exists(path) && !ctx.ledger.TreeStateChanged) return true;
    return FileIO::writeFileSafely(path, LineFiles::boolLinesFile(expanded));
}
