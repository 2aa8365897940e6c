// The detail-text editor with one very long text (a 1 MB line of Note.qvd or of an import):
// reading the file, listing the account's texts, exporting them and importing the line, each
// shown as a user sees it (window shown, events processed). One line per operation, for a
// line of Chinese characters and again for one of Latin letters without a blank.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "platform/codec.h"
#include "platform/modalrunner.h"
#include "setup/accountnoteform.h"
#include "setup/noteform.h"
#include "store/detailtext.h"
#include "store/ledgerfiles.h"
#include "store/sidefiles.h"
#include "windowbench.h"

namespace {

// Shows the dialog, lets it lay itself out and paint, then presses its action button.
class ShowingRunner : public ModalRunner {
public:
    QString pasted; // import: the text put into the box first
    int run(QDialog& dialog) override {
        dialog.show();
        QApplication::processEvents();
        if (auto* form = qobject_cast<AccountNoteForm*>(&dialog)) {
            if (!pasted.isNull()) form->Text1->setPlainText(pasted);
            QApplication::processEvents();
            form->Command1->click();
        }
        dialog.hide();
        return dialog.result();
    }
};

double timed(const std::function<void()>& step) {
    QElapsedTimer t;
    t.start();
    step();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

namespace {

// The four lines for one long text of `account`, in Note.qvd and in the import; `kind` names
// the text in the lines.
bool timeLongText(Bench::WindowBench& b, ShowingRunner& runner, const QString& account,
                  const QString& text, const char* kind) {
    const QByteArray line = Ansi::encode(DetailText::join(account, text)) + "\r\n";
    // Baseline: only read and decode the same bytes.
    const QString path = LedgerFiles::path(b.ctx.session, LedgerFiles::Note);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size()) return false;
    file.close();
    const double baseline = timed([&] {
        QFile in(path);
        if (in.open(QIODevice::ReadOnly)) Ansi::decode(in.readAll());
    });
    std::printf("detail text of %lld bytes, %s\n", qint64(line.size()), kind);
    auto name = [kind](const char* operation) {
        return QByteArray(operation) + (*kind ? QByteArray(" (") + kind + ")" : QByteArray());
    };
    Bench::report(name("read Note.qvd").constData(), timed([&] { LoadNoteFile(b.ctx); }), baseline);

    NoteForm form(b.ctx);
    form.show();
    QApplication::processEvents();
    Bench::report(name("list the account's texts").constData(), timed([&] {
                      form.List3->setCurrentRow(form.List3->count() > 2 ? 2 : 0);
                      QApplication::processEvents();
                  }),
                  baseline);
    runner.pasted = QString();
    Bench::report(name("export the texts").constData(), timed([&] { form.Command1_Click(); }),
                  baseline);
    runner.pasted = text; // no blank: a text of "未分類"
    Bench::report(name("import the line").constData(), timed([&] { form.Command9_Click(); }),
                  baseline);
    return form.List2.size() >= 2;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Bench::WindowBench b;
    ShowingRunner runner;
    b.ctx.services.setModal(runner); // the silent shell takes the export's clipboard text
    // A line of 1 MB in the file, or of the kilobytes given: two-byte characters, then Latin
    // letters without a blank (no place to break the line but anywhere).
    const int bytes = (argc > 1 ? std::max(1, std::atoi(argv[1])) : 1024) * 1024;
    const QString account = b.ctx.ledger.Accounts[2].Name.trimmed();
    const bool chinese =
        timeLongText(b, runner, account, QString(bytes / 2 - 8, QChar(0x9910)), "");
    const bool latin = timeLongText(b, runner, account, QString(bytes - 16, u'q'), "Latin letters");
    return chinese && latin ? 0 : 1;
}
