#include "scriptedprompts.h"

#include <QTest>

namespace {
QString describe(const ShownBox& box) {
    return box.kind + QLatin1String(" box \"") + box.text + QLatin1String("\"");
}

bool fitsButtons(Prompts::Answer a, Prompts::Buttons b) {
    using A = Prompts::Answer;
    switch (b) {
    case Prompts::Buttons::YesNo:
        return a == A::Yes || a == A::No;
    case Prompts::Buttons::YesNoCancel:
        return a == A::Yes || a == A::No || a == A::Cancel;
    case Prompts::Buttons::OkCancel:
        return a == A::Ok || a == A::Cancel;
    }
    return false;
}
} // namespace

void ScriptedPrompts::answer(Answer a) {
    m_queue.append(Scripted(a));
}

void ScriptedPrompts::answerText(std::optional<QString> text) {
    m_queue.append(Scripted(std::move(text)));
}

void ScriptedPrompts::answerPath(const QString& path, const QString& type) {
    m_queue.append(Scripted(PathAnswer{path, type}));
}

QStringList ScriptedPrompts::texts() const {
    QStringList out;
    for (const ShownBox& box : shown)
        out.append(box.text);
    return out;
}

QStringList ScriptedPrompts::texts(const QString& kind) const {
    QStringList out;
    for (const ShownBox& box : shown)
        if (box.kind == kind) out.append(box.text);
    return out;
}

void ScriptedPrompts::clear() {
    shown.clear();
    m_queue.clear();
}

void ScriptedPrompts::fail(const QString& message) {
    failures.append(message);
    if (onFailure)
        onFailure(message);
    else
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

template <typename T> std::optional<T> ScriptedPrompts::take(const ShownBox& box) {
    if (m_queue.isEmpty()) {
        fail(QLatin1String("Unexpected ") + describe(box) + QLatin1String(": no scripted answer"));
        return std::nullopt;
    }
    if (!std::holds_alternative<T>(m_queue.first())) {
        fail(QLatin1String("Unexpected ") + describe(box) +
             QLatin1String(": the next scripted answer is for another kind of box"));
        return std::nullopt;
    }
    return std::get<T>(m_queue.takeFirst());
}

QString ScriptedPrompts::takePath(const ShownBox& box) {
    const auto a = take<PathAnswer>(box);
    return a ? a->path : QString();
}

void ScriptedPrompts::information(const QString& text, const QString& title) {
    shown.append({QStringLiteral("information"), text, title, Buttons::YesNo, {}, {}});
}

void ScriptedPrompts::warning(const QString& text, const QString& title) {
    shown.append({QStringLiteral("warning"), text, title, Buttons::YesNo, {}, {}});
}

void ScriptedPrompts::plain(const QString& text, const QString& title) {
    shown.append({QStringLiteral("plain"), text, title, Buttons::YesNo, {}, {}});
}

Prompts::Answer ScriptedPrompts::question(const QString& text, Buttons buttons,
                                          const QString& title) {
    shown.append({QStringLiteral("question"), text, title, buttons, {}, {}});
    const auto a = take<Answer>(shown.last());
    if (!a) return Answer::Cancel;
    if (!fitsButtons(*a, buttons)) {
        fail(QLatin1String("Scripted answer does not match the buttons of ") +
             describe(shown.last()));
        return Answer::Cancel;
    }
    return *a;
}

std::optional<QString> ScriptedPrompts::input(const QString& prompt, const QString& title,
                                              const QString& defaultText) {
    shown.append({QStringLiteral("input"), prompt, title, Buttons::OkCancel, defaultText, {}});
    const auto a = take<std::optional<QString>>(shown.last());
    // Like the real box: an empty answer is no answer.
    if (!a || !*a || (*a)->isEmpty()) return std::nullopt;
    return **a;
}

std::optional<QString> ScriptedPrompts::password(const QString& prompt, const QString& title) {
    shown.append({QStringLiteral("password"), prompt, title, Buttons::OkCancel, {}, {}});
    const auto a = take<std::optional<QString>>(shown.last());
    if (!a || !*a || (*a)->isEmpty()) return std::nullopt;
    return **a;
}

QString ScriptedPrompts::openFile(const QString& title, const QString& filter,
                                  const QString& defaultName) {
    shown.append(
        {QStringLiteral("openFile"), title, title, Buttons::OkCancel, defaultName, filter});
    return takePath(shown.last());
}

QString ScriptedPrompts::saveFile(const QString& title, const QString& filter,
                                  const QString& defaultName, QString* chosenType) {
    shown.append(
        {QStringLiteral("saveFile"), title, title, Buttons::OkCancel, defaultName, filter});
    const auto a = take<PathAnswer>(shown.last());
    if (!a || a->path.isEmpty()) return QString();
    if (chosenType) {
        const QString type =
            a->type.isEmpty() ? qtFilter(filter).section(QLatin1String(";;"), 0, 0) : a->type;
        *chosenType = typePatterns(filter, type);
        if (!type.isEmpty() && chosenType->isEmpty())
            fail(QLatin1String("Scripted file type \"") + type +
                 QLatin1String("\" is not offered by ") + describe(shown.last()));
    }
    return a->path;
}

QString ScriptedPrompts::browseFolder(const QString& title) {
    shown.append({QStringLiteral("browseFolder"), title, title, Buttons::OkCancel, {}, {}});
    return takePath(shown.last());
}
