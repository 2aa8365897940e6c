#include "platform/desktop/dialogprompts.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QShowEvent>
#include <QSpacerItem>
#include <QStringList>
#include <QTreeView>

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

// The file list in the program's locale, whatever the machine's: 大小, a folder's 型態 (Qt's
// translation has no text for "Folder") and 修改日期 with 上午 or 下午 (the locale data's
// short time of Traditional Chinese holds a day-period letter that QLocale writes as it
// stands, "B8:16").
class ProgramLocaleFiles : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files || role != Qt::DisplayRole) return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case SizeColumn:
            return files->isDir(source) ? QString() : sizeText(files->size(source));
        case TypeColumn:
            if (files->isDir(source)) return QStringLiteral("資料夾");
            break;
        case DateColumn:
            return modifiedText(files->lastModified(source));
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }
    // Qt's translation has no text for "bytes" either.
    static QString sizeText(qint64 bytes) {
        if (bytes < 1024) return QString::number(bytes) + QStringLiteral(" 位元組");
        return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
    }
    static QString modifiedText(const QDateTime& when) {
        if (!when.isValid()) return QString();
        const QLocale locale;
        const QTime t = when.time();
        return locale.toString(when.date(), QStringLiteral("yyyy/MM/dd ")) +
               (t.hour() < 12 ? locale.amText() : locale.pmText()) +
               QStringLiteral("%1:%2")
                   .arg((t.hour() + 11) % 12 + 1, 2, 10, QLatin1Char('0'))
                   .arg(t.minute(), 2, 10, QLatin1Char('0'));
    }
    static constexpr int SizeColumn = 1;
    static constexpr int TypeColumn = 2;
    static constexpr int DateColumn = 3;
};

// The columns of figures and dates as wide as their texts; the name column takes the rest of
// the list's width and gives way when the dialog is narrow.
void fitFileColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view) return;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    auto widen = [&](int column, const QString& widest) {
        header->resizeSection(column,
                              std::max(header->sectionSize(column), ColumnWidthFor(view, widest)));
    };
    widen(ProgramLocaleFiles::SizeColumn, ProgramLocaleFiles::sizeText(1023));
    widen(ProgramLocaleFiles::SizeColumn, ProgramLocaleFiles::sizeText(1023 << 20));
    widen(ProgramLocaleFiles::TypeColumn, QStringLiteral("資料夾"));
    widen(ProgramLocaleFiles::DateColumn,
          ProgramLocaleFiles::modifiedText(QDateTime(QDate(2000, 12, 28), QTime(20, 58))));
}

// Qt's own file dialog, so that it reads in the program's language and locale (a desktop's
// dialog follows the machine's); "" when cancelled. filter in the program's form; chosenType,
// when given, gets the patterns of the type chosen.
QString runFileDialog(QWidget* owner, const QString& title, const QString& start,
                      const QString& filter, QFileDialog::AcceptMode accept,
                      QFileDialog::FileMode mode, QString* chosenType = nullptr) {
    CentredBox<QFileDialog> dialog(owner, title, start, Prompts::qtFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(accept);
    dialog.setFileMode(mode);
    if (mode == QFileDialog::Directory) dialog.setOption(QFileDialog::ShowDirsOnly);
    if (chosenType) {
        // A name typed without extension gets the chosen type's before the dialog asks about
        // replacing a file, so that it asks about the file that will be written.
        auto follow = [&dialog, &filter](const QString& shown) {
            dialog.setDefaultSuffix(Prompts::typeExtension(Prompts::typePatterns(filter, shown)));
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    dialog.setProxyModel(new ProgramLocaleFiles(&dialog));
    fitFileColumns(dialog);
    PlaceDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return QString();
    if (chosenType) *chosenType = Prompts::typePatterns(filter, dialog.selectedNameFilter());
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
    return runFileDialog(OwnerWindow(m_parent), titleOr(title), defaultName, filter,
                         QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

QString DialogPrompts::saveFile(const QString& title, const QString& filter,
                                const QString& defaultName, QString* chosenType) {
    return runFileDialog(OwnerWindow(m_parent), titleOr(title), defaultName, filter,
                         QFileDialog::AcceptSave, QFileDialog::AnyFile, chosenType);
}

QString DialogPrompts::browseFolder(const QString& title) {
    return FileIO::withoutTrailingSlash(runFileDialog(OwnerWindow(m_parent), titleOr(title),
                                                      QString(), QString(), QFileDialog::AcceptOpen,
                                                      QFileDialog::Directory));
}
