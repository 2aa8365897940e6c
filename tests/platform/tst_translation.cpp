// Qt's standard buttons and dialogs read in Traditional Chinese, whatever the locale.
#include <QDialogButtonBox>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "platform/prompts.h"
#include "platform/translation.h"

class TestTranslation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(InstallQtTranslation(*QCoreApplication::instance()));
    }

    void standardButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("yes") << int(QMessageBox::Yes) << "是(&Y)";
        QTest::newRow("no") << int(QMessageBox::No) << "否(&N)";
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << "取消";
        QTest::newRow("ok") << int(QMessageBox::Ok) << "確定";
        QTest::newRow("open") << int(QMessageBox::Open) << "開啟";
        QTest::newRow("save") << int(QMessageBox::Save) << "儲存";
    }
    void standardButtons() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::StandardButton(button));
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text(), text);
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
