#pragma once
#include "platform/prompts.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

// One box or dialog a window showed.
struct ShownBox {
    // "information", "warning", "plain", "question", "input", "password",
    // "openFile", "saveFile", "browseFolder"
    QString kind;
    QString text;  // message or prompt; the dialog title for file and folder dialogs
    QString title; // as passed (empty: the application's title)
    Prompts::Buttons buttons = Prompts::Buttons::YesNo; // questions only
    QString defaultText; // input: default answer; file dialogs: default name
    QString filter;      // file dialogs: the filter as passed ("desc|*.ext")
};

// Records every box and answers from one queue, in order. OK-only boxes take no answer.
// A box that needs an answer and finds none (or one of the wrong kind) fails the running
// test at once with the box's text and gets Cancel / nullopt / "".
class ScriptedPrompts : public Prompts {
public:
    // Scripting, in the order the boxes will come.
    void answer(Answer a);                        // question boxes
    void answerText(std::optional<QString> text); // input and password boxes (nullopt: Cancel)
    // File and folder dialogs ("" : Cancel). type: the file type chosen in a save dialog as
    // the dialog lists it ("CSV檔案 (*.csv)"); "" keeps the first, as the dialog opens.
    void answerPath(const QString& path, const QString& type = QString());

    QList<ShownBox> shown;
    QStringList texts() const;                    // texts of every box shown, in order
    QStringList texts(const QString& kind) const; // texts of the boxes of one kind
    int pendingAnswers() const { return int(m_queue.size()); }
    void clear(); // forgets the shown boxes and the unused answers

    // What happens on a missing or mismatched answer; the default fails the running test.
    // Tests of this class replace it to look at the message.
    std::function<void(const QString&)> onFailure;
    QStringList failures; // every failure message, also with the default handler

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
    struct PathAnswer {
        QString path;
        QString type;
    };
    using Scripted = std::variant<Answer, std::optional<QString>, PathAnswer>;
    void fail(const QString& message);
    template <typename T> std::optional<T> take(const ShownBox& box);
    QString takePath(const ShownBox& box);
    QList<Scripted> m_queue;
};
