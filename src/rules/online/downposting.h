#pragma once
#include <QList>
#include <QString>

#include "rules/online/onlineservice.h"

struct Ledger;

// Adding ticked staged rows to the open ledger as entries, creating the accounts they name
// when those are missing.
namespace DownPosting {

inline const QString StatusOk = QStringLiteral("成功");
inline const QString StatusFailed = QStringLiteral("失敗");
inline const QString MsgNothingTicked = QStringLiteral("您還沒有勾選要加入帳本的資料!");
QString LedgerFullMessage(); // "資料筆數已經到達30000筆上限，請另開新帳本"
// The entries the ledger can still take.
int Room(const Ledger& ledger);

struct Result {
    QStringList statuses;    // per row: "", "成功" or "失敗"
    bool ledgerFull = false; // stopped at the entry limit
    bool accountsAdded = false;
    int ok = 0;
    int bad = 0;
};

// The account name as the table will hold it (AccountNames::stored): control characters
// dropped, cut to 32 bytes on a character boundary, trailing blanks removed.
QString StoredAccountName(const QString& cell);

// Posts rows[i] for every ticked[i]; rows not ticked get an empty status. The 分類 and 科目
// of a posted row lose one trailing CR first.
Result PostRows(Ledger& ledger, QList<OnlineService::StagedRow>& rows, const QList<bool>& ticked);

// The information text and the status line of a posting.
QString SummaryMessage(const Result& result);
QString SummaryStatus(const Result& result);

} // namespace DownPosting
