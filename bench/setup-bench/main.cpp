// The detail-text editor with one very long text (a 1 MB line of Note.qvd or of an import):
// reading the file, listing the account's texts, exporting them and importing the line, each
// shown as a user sees it (window shown, events processed). One line per operation.
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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Bench::WindowBench b;
    ShowingRunner runner;
    b.ctx.services.setModal(runner); // the silent shell takes the export's clipboard text
    // A line of 1 MB in the file (two-byte characters), or of the kilobytes given.
    const int bytes = (argc > 1 ? std::max(1, std::atoi(argv[1])) : 1024) * 1024;
    const QString text = QString(bytes / 2 - 8, QChar(0x9910));
    const QString account = b.ctx.ledger.Accounts[2].Name.trimmed();
    const QByteArray line = Ansi::encode(DetailText::join(account, text)) + "\r\n";

    // Baseline: only read and decode the same bytes.
    const QString path = LedgerFiles::path(b.ctx.session, LedgerFiles::Note);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size()) return 1;
    file.close();
    const double baseline = timed([&] {
        QFile in(path);
        if (in.open(QIODevice::ReadOnly)) Ansi::decode(in.readAll());
    });
    std::printf("detail text of %lld bytes\n", qint64(line.size()));
    Bench::report("read Note.qvd", timed([&] { LoadNoteFile(b.ctx); }), baseline);

    NoteForm form(b.ctx);
    form.show();
    QApplication::processEvents();
    Bench::report("list the account's texts", timed([&] {
                      form.List3->setCurrentRow(form.List3->count() > 2 ? 2 : 0);
                      QApplication::processEvents();
                  }),
                  baseline);
    Bench::report("export the texts", timed([&] { form.Command1_Click(); }), baseline);
    runner.pasted = text; // no blank: a text of "未分類"
    Bench::report("import the line", timed([&] { form.Command9_Click(); }), baseline);
    return form.List2.size() >= 2 ? 0 : 1;
}
