#include "platform/desktop/dialogprompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

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

// Message texts keep CR LF; a plain-text box shows "\r\n" as one break.
QString screenText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, screenText(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
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
    QMessageBox box(QMessageBox::Question, titleOr(title), screenText(text), toButtons(buttons),
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
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
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, titleOr(title), screenText(prompt),
                                               QLineEdit::Normal, defaultText, &ok);
    if (!ok || text.isEmpty()) return std::nullopt;
    return text;
}

std::optional<QString> DialogPrompts::password(const QString& prompt, const QString& title) {
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, titleOr(title), screenText(prompt),
                                               QLineEdit::Password, QString(), &ok);
    if (!ok || text.isEmpty()) return std::nullopt;
    return text;
}

QString DialogPrompts::openFile(const QString& title, const QString& filter,
                                const QString& defaultName) {
    return QFileDialog::getOpenFileName(m_parent, titleOr(title), defaultName, qtFilter(filter));
}

QString DialogPrompts::saveFile(const QString& title, const QString& filter,
                                const QString& defaultName) {
    return QFileDialog::getSaveFileName(m_parent, titleOr(title), defaultName, qtFilter(filter));
}

QString DialogPrompts::browseFolder(const QString& title) {
    return FileIO::withoutTrailingSlash(
        QFileDialog::getExistingDirectory(m_parent, titleOr(title)));
}
