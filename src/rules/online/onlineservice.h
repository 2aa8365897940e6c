#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <limits>

#include "platform/http.h"

class SettingsStore;

// The online bookkeeping service: its requests, its replies and the remembered login.
namespace OnlineService {

// One staged row: 日期, 分類, 科目, 金額, 明細, 備註, 發票.
// One downloaded or imported row, as the staging list shows it and the posting reads it.
struct StagedRow {
    QString date;    // 日期
    QString group;   // 分類: the first account
    QString account; // 科目: the second account
    QString amount;  // 金額
    QString detail;  // 明細
    QString note;    // 備註
    QString invoice; // 發票

    // The seven cells in the list's order; a missing cell is empty, more are dropped.
    static StagedRow fromCells(const QStringList& cells);
    QStringList cells() const;
    bool operator==(const StagedRow&) const = default;
};
inline constexpr int StagedColumns = 7;

// The rows a reply or a file gives the staging list, counted before any is built: a source
// holding more than `room` rows (what the ledger can still take) gives none, so that
// neither the list nor the memory grows past what could ever be posted. Blank lines are
// never rows.
struct Staging {
    QList<StagedRow> rows;
    qsizetype total = 0; // rows the source holds
    bool refused() const { return total > rows.size(); }
};
inline constexpr qsizetype NoRoomLimit = std::numeric_limits<qsizetype>::max();
// The refusal of a source with more rows than the ledger has room for.
QString TooManyRowsMessage(qsizetype rows, qsizetype room);

// The service host ("name" or "name:port"), section Online, key Host.
QString ServiceHost(SettingsStore& settings);
inline QString ServiceBaseUrl(const QString& host) {
    return QStringLiteral("http://") + host;
}
inline QString ServicePageUrl(const QString& host) {
    return QStringLiteral("https://") + host + QStringLiteral("/zel/");
}

// The cp950 bytes of text with every byte but A-Z a-z 0-9 - . _ ~ as %XX (upper case), so
// that "&", "#" or a Chinese character reach the service as typed and the URL parser leaves
// the query alone.
QString PercentEncodeAnsi(const QString& text);
// Paths of the two requests; name and password are trimmed, then encoded.
QString DownloadRequestPath(const QString& name, const QString& password);
QString ClearRequestPath(const QString& name, const QString& password);

// "&gt;", "&lt;", "&quot;" and "&amp;" decoded, "&amp;" last so that nothing decodes twice.
QString UnescapeEntities(QString text);

struct DownloadResult {
    enum class Kind { Rows, NoData, Refused, Paused, TimedOut, TooMany };
    Kind kind = Kind::NoData;
    QList<StagedRow> rows;
    qsizetype total = 0; // the records of the reply (TooMany: more than the room)
};
// The reply of a download request read as seven-line records; a record of blank lines only
// is none. More records than `room` are TooMany, with no row built.
DownloadResult ParseDownloadReply(const HttpClient::Reply& reply, qsizetype room);

enum class ClearResult { Done, Refused, TimedOut, Ignored };
ClearResult ParseClearReply(const HttpClient::Reply& reply);

inline const QString MsgEnterLogin = QStringLiteral("請先輸入帳號密碼!");
inline const QString MsgConnectFailed = QStringLiteral("連線失敗!");
inline const QString MsgNoData = QStringLiteral("沒有資料可以下載!");
inline const QString MsgLoginRefused = QStringLiteral("帳號密碼錯誤，無法連線!");
inline const QString MsgPaused = QStringLiteral("網路記帳服務暫停中..");
inline const QString MsgClearQuestion = QStringLiteral("將會刪除線上的所有資料，確定嗎？");
inline const QString MsgClearDone = QStringLiteral("線上資料刪除完成!");
inline const QString MsgConnecting = QStringLiteral("連線中請稍候...");
// The warning of a download result other than TooMany; empty for rows.
QString DownloadMessage(DownloadResult::Kind kind);
// "共 n 筆資料".
QString RowCountStatus(int rows);

// Download.dat in the user folder: the name as typed, then the password in the four-digit
// code of the password file; owner-only.
inline const QString LoginFileName = QStringLiteral("Download.dat");
struct RememberedLogin {
    bool exists = false;
    QString name;
    QString password;
};
// Each line is read whole (a comma belongs to the name); a missing line is empty text.
RememberedLogin ReadRememberedLogin(const QString& userFolder);
// Written through the safe writer; false (old file whole) on failure.
bool WriteRememberedLogin(const QString& userFolder, const QString& name, const QString& password);
// True when no file is left.
bool ForgetRememberedLogin(const QString& userFolder);

} // namespace OnlineService
