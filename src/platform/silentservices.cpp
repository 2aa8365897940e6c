#include "platform/silentservices.h"

Prompts::Answer SilentPrompts::question(const QString&, Buttons buttons, const QString&) {
    return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

std::optional<QString> SilentPrompts::input(const QString&, const QString&,
                                            const QString& defaultText) {
    // An empty answer reads as cancelled, as in the box.
    if (defaultText.isEmpty()) return std::nullopt;
    return defaultText;
}
