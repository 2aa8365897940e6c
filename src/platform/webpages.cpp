#include "platform/webpages.h"

#include "platform/prompts.h"
#include "platform/shell.h"

bool OpenWebPage(Shell& shell, Prompts& prompts, const QString& url) {
    if (shell.openUrl(url)) return true;
    prompts.warning(QStringLiteral("無法開啟網頁，請用瀏覽器開啟以下網址：\r\n") + url);
    return false;
}
