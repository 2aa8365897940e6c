#pragma once
#include <QString>

// Addresses of the program's pages on the web, in one place.
namespace WebPages {
inline const QString Home = QStringLiteral("https://qivo.example.com/");
inline const QString Help = QStringLiteral("https://qivo.example.com/help/");
inline const QString Tutorial = QStringLiteral("https://qivo.example.com/tutorial/");
inline const QString SaveFailedHelp = QStringLiteral("https://qivo.example.com/help/save-failed/");
inline const QString Contact = QStringLiteral("https://qivo.example.com/contact/");
inline const QString Social = QStringLiteral("https://social.example.com/qivo");
} // namespace WebPages

class Prompts;
class Shell;

// Opens one of the pages in the browser; when none can open it the user is told so, with
// the address to open by hand. False when it could not be opened.
bool OpenWebPage(Shell& shell, Prompts& prompts, const QString& url);
