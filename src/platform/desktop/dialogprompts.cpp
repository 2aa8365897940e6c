#include "platform/desktop/dialogprompts.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QShowEvent>
#include <QSpacerItem>
#include <QStringList>

#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"

namespace {
QMessageBox::StandardButtons toButtons(Prompts::Buttons b) {
    switch (b) {
    case Prompts::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompts::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompts::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// A box stands over the window it belongs to, or over the middle of the screen when that
// window is not on view (a question asked before the main window shows). Qt places a dialog
// as it shows, allowing for a title bar it guesses; the box is centred again right after, still
// before it is on the screen.
template <typename Dialog> class CentredBox : public Dialog {
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent* event) override {
        Dialog::showEvent(event);
        CentreOnOwner(*this);
    }
};

// Message texts keep CR LF; a plain-text box shows "\r\n" as one break.
QString screenText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

// A short text makes a narrow box whose title bar cuts its title: the box is made as wide
// as its title needs beside the title bar's buttons.
void fitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(
        new QSpacerItem(TitleBarWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
        grid->rowCount(), 0, 1, grid->columnCount());
}

// The file list's 修改日期 in the program's locale: the file system model writes it in the
// machine's locale, whatever the program's.
class ProgramLocaleDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole && index.column() == 3)
            return QLocale().toString(files->lastModified(mapToSource(index)),
                                      QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

// Qt's own file dialog, so that it reads in the program's language and locale (a desktop's
// dialog follows the machine's); "" when cancelled.
QString runFileDialog(QWidget* owner, const QString& title, const QString& start,
                      const QString& filter, QFileDialog::AcceptMode accept,
                      QFileDialog::FileMode mode) {
    CentredBox<QFileDialog> dialog(owner, title, start, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(accept);
    dialog.setFileMode(mode);
    if (mode == QFileDialog::Directory) dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setProxyModel(new ProgramLocaleDates(&dialog));
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}

// The input box; nullopt when cancelled or left empty.
std::optional<QString> askText(QWidget* owner, const QString& title, const QString& prompt,
                               QLineEdit::EchoMode echo, const QString& text) {
    CentredBox<QInputDialog> dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextEchoMode(echo);
    dialog.setTextValue(text);
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty()) return std::nullopt;
    return dialog.textValue();
}

int execBox(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    fitTitle(box);
    return box.exec();
}

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    CentredBox<QMessageBox> box(icon, title, screenText(text), QMessageBox::Ok,
                                OwnerWindow(parent));
    execBox(box);
}
} // namespace

void DialogPrompts::information(const QString& text, const QString& title) {
    showBox(m_parent, QMessageBox::Information, titleOr(title), text);
}

void DialogPrompts::warning(const QString& text, const QString& title) {
    showBox(m_parent, QMessageBox::Warning, titleOr(title), text);
}

void DialogPrompts::plain(const QString& text, const QString& title) {
    showBox(m_parent, QMessageBox::NoIcon, titleOr(title), text);
}

Prompts::Answer DialogPrompts::question(const QString& text, Buttons buttons,
                                        const QString& title) {
    CentredBox<QMessageBox> box(QMessageBox::Question, titleOr(title), screenText(text),
                                toButtons(buttons), OwnerWindow(m_parent));
    switch (execBox(box)) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel; // Cancel, or the box closed with Esc
    }
}

std::optional<QString> DialogPrompts::input(const QString& prompt, const QString& title,
                                            const QString& defaultText) {
    return askText(OwnerWindow(m_parent), titleOr(title), screenText(prompt), QLineEdit::Normal,
                   defaultText);
}

std::optional<QString> DialogPrompts::password(const QString& prompt, const QString& title) {
    return askText(OwnerWindow(m_parent), titleOr(title), screenText(prompt), QLineEdit::Password,
                   QString());
}

QString DialogPrompts::openFile(const QString& title, const QString& filter,
                                const QString& defaultName) {
    return runFileDialog(OwnerWindow(m_parent), titleOr(title), defaultName, qtFilter(filter),
                         QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

QString DialogPrompts::saveFile(const QString& title, const QString& filter,
                                const QString& defaultName) {
    return runFileDialog(OwnerWindow(m_parent), titleOr(title), defaultName, qtFilter(filter),
                         QFileDialog::AcceptSave, QFileDialog::AnyFile);
}

QString DialogPrompts::browseFolder(const QString& title) {
    return FileIO::withoutTrailingSlash(runFileDialog(OwnerWindow(m_parent), titleOr(title),
                                                      QString(), QString(), QFileDialog::AcceptOpen,
                                                      QFileDialog::Directory));
}
