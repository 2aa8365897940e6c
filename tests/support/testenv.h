#pragma once
// One test's world: a temporary folder with the program folder and data root in it, a
// settings file of its own, and the scripted services, all wired into `ctx`.
//
// Writing a window test (CTest runs every test with QT_QPA_PLATFORM=offscreen; to run one
// by hand, set it yourself or pass -platform offscreen):
//   - Use QTEST_MAIN (a QApplication is made because the tests link QtWidgets).
//   - Build a fresh TestEnv in each test function; make the folders and files the case
//     needs (makeUser, makeLedger, path) and preset settings through env.settings.
//   - Script the boxes before the action: env.prompts.answer(Prompts::Answer::Yes),
//     answerText(...), answerPath(...). OK-only boxes need no script; afterwards check
//     env.prompts.shown / texts() and that pendingAnswers() is 0.
//   - Modal windows opened by the window under test go through env.modal: register
//     env.modal.on<SomeForm>([](SomeForm& f) { f.Text1->setText("x");
//     f.Command1->click(); return f.result(); }) before the action.
//   - Create the window with env.ctx, call show() (no need to wait for exposure
//     offscreen), drive it with widget->click(), setText(), QTest::keyClick/mouseClick,
//     and read the results from its widgets and from the files in the temporary folder.
//   - Never call exec() or a real dialog; a box or modal window without a script fails the
//     test at once with its text.
#include "scriptedmodalrunner.h"
#include "storeenv.h"

class TestEnv : public StoreEnv {
public:
    TestEnv();

    ScriptedModalRunner modal;
};

// Deletes the windows closed with Qt::WA_DeleteOnClose, as the event loop would next.
void DeleteClosedWindows();
