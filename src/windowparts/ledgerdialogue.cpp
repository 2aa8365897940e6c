#include "windowparts/ledgerdialogue.h"

#include "platform/prompts.h"
#include "platform/webpages.h"
#include "store/appcontext.h"
#include "store/loadledger.h"

void WarnUnreadable(Prompts& prompts, const QStringList& files) {
    for (const QString& file : files)
        prompts.warning(file + QStringLiteral(" 檔案讀取失敗!"));
}

bool OpenLedgerFiles(AppContext& ctx) {
    const LedgerOpening opening = LoadLedger(ctx);
    WarnUnreadable(ctx.services.prompts(), opening.unreadable);
    return opening.opened;
}

bool SaveLedger(AppContext& ctx) {
    return SaveLedger(ctx, LedgerSavers());
}

bool SaveLedger(AppContext& ctx, const QList<LedgerSaver>& savers) {
    Prompts& prompts = ctx.services.prompts();
    for (int attempt = 1;; ++attempt) {
        if (WriteLedgerFiles(ctx, savers)) {
            if (attempt > 1) prompts.information(QStringLiteral("儲存完成！"));
            return true;
        }
        if (ctx.session.CurrentUser == QLatin1String("Test")) {
            prompts.warning(QStringLiteral("儲存失敗，Test 帳號因為檔案權限關係可能無法儲存資料，"
                                           "欲開始使用請至登入畫面建立一個新帳號即可。"));
            return false;
        }
        if (attempt == 1) {
            if (prompts.question(QStringLiteral("儲存失敗，請按「是(Y)」再試一次"),
                                 Prompts::Buttons::YesNo) == Prompts::Answer::Yes)
                continue;
            return false;
        }
        prompts.warning(
            QStringLiteral("儲存依舊失敗，檔案可能處於無法寫入的狀態，按「是(Y)」後觀看網頁說明"));
        OpenWebPage(ctx.services.shell(), prompts, WebPages::SaveFailedHelp);
        return false;
    }
}
