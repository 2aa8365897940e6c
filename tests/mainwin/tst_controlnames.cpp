// Every window names each of its controls by its documented name.
#include <QtTest>
#include <functional>
#include <memory>

#include "entry/editform.h"
#include "entry/inputform.h"
#include "entry/installmentform.h"
#include "entry/quickedit.h"
#include "entry/quickform.h"
#include "journal/diaryform.h"
#include "mainform_fixture.h"
#include "mainwin/calendarform.h"
#include "online/downform.h"
#include "reports/budgetform.h"
#include "schedule/clockform.h"
#include "schedule/fixureclockform.h"
#include "schedule/fixureform.h"
#include "schedule/memoform.h"
#include "setup/accountform.h"
#include "setup/accountnoteform.h"
#include "setup/noteeditform.h"
#include "setup/noteform.h"
#include "setup/setform.h"
#include "support/controlnames.h"
#include "users/aboutform.h"
#include "users/delform.h"
#include "users/loginform.h"
#include "users/newuserform.h"
#include "users/openform.h"
#include "users/payoffform.h"
#include "users/useform.h"
#include "users/userscontroller.h"

using WindowMaker = std::function<std::unique_ptr<QWidget>(MainFormFixture&)>;
Q_DECLARE_METATYPE(WindowMaker)

class ControlNamesTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlNamed_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QStringList>("labels"); // the documented ones
        auto add = [](const char* name, WindowMaker make, const QStringList& labels = {}) {
            QTest::newRow(name) << make << labels;
        };
        add("MainForm", [](MainFormFixture& f) { return std::make_unique<MainForm>(f.env.ctx); });
        add("CalendarForm",
            [](MainFormFixture&) { return std::make_unique<CalendarForm>(QDate(2024, 1, 2)); });
        add("InputForm",
            [](MainFormFixture& f) { return std::make_unique<InputForm>(f.env.ctx, *f.form); },
            {"Label2", "Label3", "Label8", "Label13", "Label14"});
        add("EditForm",
            [](MainFormFixture& f) { return std::make_unique<EditForm>(f.env.ctx, *f.form); });
        add("InstallmentForm", [](MainFormFixture& f) -> std::unique_ptr<QWidget> {
            auto input = std::make_unique<InputForm>(f.env.ctx, *f.form);
            auto* w = new InstallmentForm(f.env.ctx, *f.form, *input, input.get());
            Q_UNUSED(w);
            return input; // checked with its owner: both must be named
        });
        add("QuickForm",
            [](MainFormFixture& f) -> std::unique_ptr<QWidget> {
                auto input = std::make_unique<InputForm>(f.env.ctx, *f.form);
                auto* quick = new QuickForm(f.env.ctx, *f.form, *input, input.get());
                new QuickEdit(f.env.ctx, *quick, quick);
                return input;
            },
            {"Label1", "Label6", "Label13", "Label14"});
        add("AccountNoteForm",
            [](MainFormFixture& f) { return std::make_unique<AccountNoteForm>(f.env.ctx); });
        add("AccountForm",
            [](MainFormFixture& f) { return std::make_unique<AccountForm>(f.env.ctx); },
            {"Label1", "Label2", "Label4", "Label5"});
        add("NoteForm", [](MainFormFixture& f) { return std::make_unique<NoteForm>(f.env.ctx); });
        add("NoteEditForm",
            [](MainFormFixture& f) { return std::make_unique<NoteEditForm>(f.env.ctx); },
            {"Label1"});
        add("SetForm",
            [](MainFormFixture& f) { return std::make_unique<SetForm>(f.env.ctx, *f.form); },
            {"Label3", "Label11", "Label12"});
        add("AboutForm", [](MainFormFixture& f) { return std::make_unique<AboutForm>(f.env.ctx); },
            {"Label1"});
        add("DelForm",
            [](MainFormFixture& f) { return std::make_unique<DelForm>(f.env.ctx, *f.form); },
            {"Label1", "Label2", "Label3"});
        add("PayoffForm",
            [](MainFormFixture& f) { return std::make_unique<PayoffForm>(f.env.ctx, *f.form); });
        add("NewUserForm",
            [](MainFormFixture& f) { return std::make_unique<NewUserForm>(f.env.ctx); });
        add("UseForm", [](MainFormFixture& f) { return std::make_unique<UseForm>(f.env.ctx); });
        add("LoginForm",
            [](MainFormFixture& f) {
                return std::make_unique<LoginForm>(f.env.ctx, InstallUsers(*f.form));
            },
            {"Label2", "Label3"});
        add("OpenForm", [](MainFormFixture& f) {
            return std::make_unique<OpenForm>(f.env.ctx, InstallUsers(*f.form));
        });
        add("NoteEditForm",
            [](MainFormFixture& f) { return std::make_unique<NoteEditForm>(f.env.ctx); });
        add("NoteForm", [](MainFormFixture& f) { return std::make_unique<NoteForm>(f.env.ctx); });
        add("BudgetForm",
            [](MainFormFixture& f) { return std::make_unique<BudgetForm>(f.env.ctx); });
        add("AccountForm",
            [](MainFormFixture& f) { return std::make_unique<AccountForm>(f.env.ctx); });
        add("MemoForm", [](MainFormFixture& f) { return std::make_unique<MemoForm>(f.env.ctx); });
        add("DiaryForm", [](MainFormFixture& f) { return std::make_unique<DiaryForm>(*f.form); });
        add("ClockForm", [](MainFormFixture& f) { return std::make_unique<ClockForm>(*f.form); });
        add("FixureForm", [](MainFormFixture& f) { return std::make_unique<FixureForm>(*f.form); });
        add("DownForm", [](MainFormFixture& f) { return std::make_unique<DownForm>(*f.form); },
            {"Label1", "Label2"});
        add("FixureClockForm",
            [](MainFormFixture& f) { return std::make_unique<FixureClockForm>(*f.form); });
    }
    void everyControlNamed() {
        QFETCH(WindowMaker, make);
        QFETCH(QStringList, labels);
        MainFormFixture f;
        f.b.defaultAccounts();
        f.open();
        const std::unique_ptr<QWidget> window = make(f);
        const QStringList unnamed = unnamedControls(window.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        // The window itself carries its documented name, as the row names it (a window checked
        // with its owner is found inside it).
        const QStringList unnamedWins = unnamedWindows(window.get());
        QVERIFY2(unnamedWins.isEmpty(), qPrintable(unnamedWins.join(QStringLiteral(", "))));
        const QString documented = QString::fromLatin1(QTest::currentDataTag());
        QVERIFY2(window->objectName() == documented ||
                     window->findChild<QWidget*>(documented, Qt::FindChildrenRecursively),
                 qPrintable(window->objectName()));
        const QStringList named = namedLabels(window.get());
        for (const QString& label : labels)
            QVERIFY2(named.contains(label), qPrintable(label));
    }
};

QTEST_MAIN(ControlNamesTest)
#include "tst_controlnames.moc"
