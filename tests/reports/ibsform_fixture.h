#pragma once
// The statements window over a ledger built in memory, with the main window it reaches.
//
//   IBSFormFixture f;
//   f.b.account("A-現金").account("Equity");
//   f.b.entry("2024/01/02", "A-現金", "Equity", 10000);
//   IBSForm& w = f.open();                  // loaded: income statement and balance sheet
//   QCOMPARE(f.rows(w.ListView1), ...);
#include <QLineEdit>
#include <QTreeWidget>
#include <memory>

#include "mainwin/mainform.h"
#include "reports/ibsform.h"
#include "support/ledgerbuilder.h"
#include "support/testenv.h"
#include "windowparts/mainview.h"

struct IBSFormFixture {
    TestEnv env;
    LedgerBuilder b{env.ctx.ledger};
    std::unique_ptr<MainForm> main;
    std::unique_ptr<IBSForm> form;

    IBSFormFixture() { env.makeLedger(QStringLiteral("Amy"), QStringLiteral("Home")); }

    // The main window with its year box and period item, then the statements window loaded.
    IBSForm& open(const QString& year = QStringLiteral("2024"), int period = 0) {
        main = std::make_unique<MainForm>(env.ctx);
        main->EndProcess = [] {};
        main->ShowPeriod(period, 2024);
        main->Text2->setText(year);
        form = std::make_unique<IBSForm>(env.ctx, *main);
        form->Form_Load();
        return *form;
    }

    // Texts of every row of a shown list (three columns).
    static QList<QStringList> rows(const QTreeWidget* list) {
        QList<QStringList> out;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* i = list->topLevelItem(r);
            out.append({i->text(0), i->text(1), i->text(2)});
        }
        return out;
    }
};
