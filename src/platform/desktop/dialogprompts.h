#pragma once
#include "platform/prompts.h"

class QWidget;

// Production: QMessageBox, QInputDialog, QFileDialog.
class DialogPrompts : public Prompts {
public:
    explicit DialogPrompts(QString appTitle) : m_title(std::move(appTitle)) {}
    void setParentWindow(QWidget* parent) { m_parent = parent; }
    void information(const QString& text, const QString& title = QString()) override;
    void warning(const QString& text, const QString& title = QString()) override;
    void plain(const QString& text, const QString& title = QString()) override;
    Answer question(const QString& text, Buttons buttons = Buttons::YesNo,
                    const QString& title = QString()) override;
    std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                                 const QString& defaultText = QString()) override;
    std::optional<QString> password(const QString& prompt,
                                    const QString& title = QString()) override;
    QString openFile(const QString& title, const QString& filter,
                     const QString& defaultName = QString()) override;
    QString saveFile(const QString& title, const QString& filter,
                     const QString& defaultName = QString(),
                     QString* chosenType = nullptr) override;
    QString browseFolder(const QString& title) override;

private:
    QString titleOr(const QString& title) const { return title.isEmpty() ? m_title : title; }
    QString m_title;
    QWidget* m_parent = nullptr;
};
