// The date item of the menu bar and the calendar it opens.
#include <QCalendarWidget>
#include <QtTest>

#include "commandsfixture.h"
#include "mainwin/calendarform.h"

class TestDateMenu : public QObject {
    Q_OBJECT
private slots:
    void caption_data();
    void caption();
    void clickRefreshesCaptionAndOpensCalendarOnToday();
};

void TestDateMenu::caption_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("Sunday") << QDate(2024, 1, 7) << "2024/01/07 (星期日)";
    QTest::newRow("Monday") << QDate(2024, 1, 8) << "2024/01/08 (星期一)";
    QTest::newRow("Saturday") << QDate(2024, 12, 28) << "2024/12/28 (星期六)";
    QTest::newRow("one-digit month and day") << QDate(2025, 3, 5) << "2025/03/05 (星期三)";
}

void TestDateMenu::caption() {
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(MainFormMenus::dateMenuCaption(date), text);
}

void TestDateMenu::clickRefreshesCaptionAndOpensCalendarOnToday() {
    CommandsFixture f;
    MainForm& w = f.open(QString());
    f.env.clock.setToday(QDate(2024, 2, 29)); // the day changed since the caption was set
    QDate selected, page;
    QString title;
    f.env.modal.on<CalendarForm>([&](CalendarForm& c) {
        title = c.windowTitle();
        selected = c.MonthView1->selectedDate();
        page = QDate(c.MonthView1->yearShown(), c.MonthView1->monthShown(), 1);
        c.MonthView1->setSelectedDate(QDate(2023, 5, 5)); // browsing changes nothing
        return int(QDialog::Accepted);
    });

    w.Menu_Date->trigger();

    QCOMPARE(w.Menu_Date->text(), QStringLiteral("2024/02/29 (星期四)"));
    QCOMPARE(title, QStringLiteral("日曆"));
    QCOMPARE(selected, QDate(2024, 2, 29));
    QCOMPARE(page, QDate(2024, 2, 1));

    // The next opening starts on today again.
    w.Menu_Date->trigger();
    QCOMPARE(selected, QDate(2024, 2, 29));
    QCOMPARE(f.env.modal.shown.size(), 2);
    QVERIFY(!w.LedgerChanged());
}

QTEST_MAIN(TestDateMenu)
#include "tst_datemenu.moc"
