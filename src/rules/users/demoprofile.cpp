#include "rules/users/demoprofile.h"

#include <QDir>

#include "platform/clock.h"
#include "platform/runtime.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"

namespace {

const QString DemoUser = QStringLiteral("Test");
const QString DemoPassword = QStringLiteral("583");
const QString DemoLedger = QStringLiteral("範例帳本");

struct Example {
    int daysAgo;
    const char16_t* account1;
    const char16_t* account2;
    double hundredths;
    const char16_t* detail;
};

// Names of the accounts every new ledger starts with.
constexpr Example examples[] = {
    {3, u"I-薪資", u"A-現金", 3200000, u"薪水"},
    {2, u"E-餐飲費", u"A-現金", 12000, u"午餐"},
    {1, u"E-交通費", u"L-信用卡", 128000, u"高鐵車票"},
    {0, u"L-信用卡", u"A-現金", 128000, u"繳信用卡費"},
};

} // namespace

bool CreateDemoProfile(AppContext& ctx, const LedgerStep& open, const LedgerStep& save) {
    const QString root = ctx.session.DataRoot;
    if (!UserFiles::createUser(root, DemoUser, DemoPassword)) return false;

    AppContext demo;
    demo.services = ctx.services;
    demo.session.DataRoot = root;
    demo.session.AppFolder = ctx.session.AppFolder;
    demo.session.Setting = ctx.session.Setting;
    demo.session.CurrentUser = DemoUser;
    demo.session.UserPassword = DemoPassword;
    demo.session.LedgerName = DemoLedger;
    demo.session.LedgerNames = {DemoLedger};

    bool made = UserFiles::writeLedgerList(demo.session.userFolder(), {DemoLedger}) && open(demo);
    if (made) {
        const QDate today = ctx.services.clock().today();
        for (const Example& x : examples) {
            LedgerEntry e;
            e.core.Date.set(Runtime::dateText(today.addDays(-x.daysAgo)));
            e.core.Account1.set(QString::fromUtf16(x.account1));
            e.core.Account2.set(QString::fromUtf16(x.account2));
            e.core.Amount = TaggedNumber::fromDouble(x.hundredths);
            e.core.Detail.set(QString::fromUtf16(x.detail));
            e.note.Note.set(QString());
            e.invoice.InvoiceDigits.set(QString());
            e.style.InvoiceLetters.set(QString());
            made = made && demo.ledger.addEntry(e);
        }
        demo.ledger.AccountsChanged = true;
        made = made && save(demo);
    }
    if (!made) QDir(demo.session.userFolder()).removeRecursively();
    return made;
}
