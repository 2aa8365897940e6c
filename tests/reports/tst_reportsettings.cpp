// The stored settings of the report windows: what each opens with (size, state, the roll-up
// or view box, list column widths), what a stored value that is no whole number counts as,
// and what each writes when it closes, normal or maximised.
#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QTreeWidget>

#include "../mainwin/mainform_fixture.h"
#include "reports/budgetshowform.h"
#include "reports/ibsform.h"
#include "reports/ieform.h"
#include "reports/yearform.h"

namespace {

// One report window over the fixture's main window, with what the test reads of it.
struct Opened {
    std::unique_ptr<QWidget> window;
    QAbstractButton* box = nullptr; // the roll-up box, if any
    QAction* viewBox = nullptr;     // the statements window's 子科目 view switch
    QTreeWidget* list = nullptr;    // the list whose first column width is stored, if any
};

Opened open(MainFormFixture& f, const QString& which) {
    Opened o;
    if (which == u"BudgetShowForm") {
        auto* w = new BudgetShowForm(f.env.ctx, *f.form);
        o.box = w->Check1;
        o.window.reset(w);
    } else if (which == u"YearForm") {
        auto* w = new YearForm(f.env.ctx, *f.form);
        o.box = w->Check1;
        o.list = w->Liv1[0];
        o.window.reset(w);
    } else if (which == u"IEForm") {
        o.window.reset(new IEForm(f.env.ctx, *f.form));
    } else {
        auto* w = new IBSForm(f.env.ctx, *f.form);
        w->Form_Load();
        o.viewBox = w->View_Add;
        o.list = w->ListView1;
        o.window.reset(w);
    }
    return o;
}

bool ticked(const Opened& o) {
    return o.box ? o.box->isChecked() : o.viewBox ? o.viewBox->isChecked() : false;
}

struct Fixture : MainFormFixture {
    Fixture() {
        b.account("A-現金").account("I-薪資").account("E-餐飲").account("Equity");
        b.entry("2024/01/05", "E-餐飲", "A-現金", 12000);
        open(Periods::FirstMonth + 2, 2024);
    }
    void store(const QStringList& pairs, const QString& section) {
        for (const QString& p : pairs)
            QVERIFY(env.settings.SaveSetting(section, p.section(u'=', 0, 0), p.section(u'=', 1)));
    }
};

} // namespace

class TestReportSettings : public QObject {
    Q_OBJECT
private slots:
    void opensAsStored_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QSize>("twips");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("firstColumn"); // -1: the window stores no column widths

        const QStringList placed{"Width=9000", "Height=6000", "WinState=2"};
        const QStringList noWholeNumbers{"Width=wide",     "Height=6000.5", "WinState=2x",
                                         "CheckState=1.0", "L0W1=6o",       "L1W1=+"};
        QTest::newRow("budget, nothing stored")
            << "BudgetShowForm" << QStringList{} << QSize(9855, 8085) << false << false << -1;
        QTest::newRow("budget, stored") << "BudgetShowForm" << placed + QStringList{"CheckState=1"}
                                        << QSize(9000, 6000) << true << true << -1;
        QTest::newRow("budget, minimised opens normal")
            << "BudgetShowForm" << QStringList{"WinState=1"} << QSize(9855, 8085) << false << false
            << -1;
        QTest::newRow("budget, no whole numbers")
            << "BudgetShowForm" << noWholeNumbers << QSize(9855, 8085) << false << false << -1;
        QTest::newRow("budget, too small to grab")
            << "BudgetShowForm" << QStringList{"Width=0", "Height=300"} << QSize(1500, 1500)
            << false << false << -1;
        QTest::newRow("yearly, nothing stored")
            << "YearForm" << QStringList{} << QSize(12000, 8490) << false << true << 45;
        QTest::newRow("yearly, stored")
            << "YearForm" << placed + QStringList{"CheckState=0", "L0W1=60"} << QSize(9000, 6000)
            << true << false << 60;
        QTest::newRow("yearly, no whole numbers")
            << "YearForm" << noWholeNumbers << QSize(12000, 8490) << false << true << 45;
        QTest::newRow("daily, nothing stored")
            << "IEForm" << QStringList{} << QSize(8400, 8100) << false << false << -1;
        QTest::newRow("daily, stored") << "IEForm" << QStringList{"Width=9000", "Height=6000"}
                                       << QSize(9000, 6000) << false << false << -1;
        QTest::newRow("daily, no whole numbers")
            << "IEForm" << noWholeNumbers << QSize(8400, 8100) << false << false << -1;
        QTest::newRow("statements, stored")
            << "IBSForm" << placed + QStringList{"CheckState=False", "L1W1=200"}
            << QSize(9000, 6000) << true << false << 200;
        QTest::newRow("statements, a column of no width")
            << "IBSForm" << QStringList{"L1W1=0"} << QSize(11985, 9120) << false << true << 150;
        QTest::newRow("statements, no whole numbers")
            << "IBSForm" << noWholeNumbers << QSize(11985, 9120) << false << true << 150;
    }

    void opensAsStored() {
        QFETCH(QString, window);
        QFETCH(QStringList, stored);
        QFETCH(QSize, twips);
        QFETCH(bool, maximised);
        QFETCH(bool, ticked);
        QFETCH(int, firstColumn);
        Fixture f;
        f.store(stored, window);
        const Opened o = open(f, window);
        QCOMPARE(o.window->size(), QSize(twips.width() / 15, twips.height() / 15));
        QCOMPARE(o.window->isMaximized(), maximised);
        QCOMPARE(::ticked(o), ticked);
        if (firstColumn >= 0) QCOMPARE(o.list->columnWidth(0), firstColumn);
    }

    void closesAndStores_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QStringList>("stored"); // key=value after the close
        QTest::newRow("budget") << "BudgetShowForm" << false
                                << QStringList{"Width=9000", "Height=6000", "WinState=0",
                                               "CheckState=1"};
        QTest::newRow("budget maximised")
            << "BudgetShowForm" << true
            << QStringList{"Width=9855", "Height=8085", "WinState=2", "CheckState=1"};
        QTest::newRow("yearly") << "YearForm" << false
                                << QStringList{"Width=9000",   "Height=6000", "WinState=0",
                                               "CheckState=1", "L0W1=45",     "L1W4=150"};
        QTest::newRow("yearly maximised")
            << "YearForm" << true << QStringList{"Width=12000", "Height=8490", "WinState=2"};
        // The daily window keeps its size alone, whatever its state.
        QTest::newRow("daily") << "IEForm" << false
                               << QStringList{"Width=9000", "Height=6000", "WinState=-"};
        QTest::newRow("daily maximised")
            << "IEForm" << true << QStringList{"Width=9000", "Height=6000", "WinState=-"};
        QTest::newRow("statements")
            << "IBSForm" << false << QStringList{"Width=9000",      "Height=6000",     "WinState=0",
                                                 "CheckState=True", "ZeroState=False", "L1W1=150"};
        QTest::newRow("statements maximised")
            << "IBSForm" << true << QStringList{"Width=11985", "Height=9120", "WinState=2"};
    }

    void closesAndStores() {
        QFETCH(QString, window);
        QFETCH(bool, maximised);
        QFETCH(QStringList, stored);
        Fixture f;
        Opened o = open(f, window);
        if (o.box) o.box->setChecked(true);
        o.window->resize(600, 400);
        if (maximised) o.window->setWindowState(Qt::WindowMaximized);
        o.window->close();
        for (const QString& p : stored)
            QCOMPARE(f.env.settings.GetSetting(window, p.section(u'=', 0, 0), "-"),
                     p.section(u'=', 1));
    }
};

QTEST_MAIN(TestReportSettings)
#include "tst_reportsettings.moc"
