#pragma once
#include <QString>
#include <optional>

class QTreeWidget;
class QWidget;
class SettingsStore;

// What the report windows keep in their settings sections: size and state, whole numbers.
namespace ReportWindow {

// A stored whole number; nullopt when the key is missing or holds anything else.
std::optional<int> wholeSetting(const SettingsStore& store, const QString& section,
                                const QString& key);

// Size from Width and Height (twips; missing: the design size) and state from WinState
// (0 normal, 2 maximised; a stored 1, minimised, opens normal).
void restoreSize(QWidget* window, const SettingsStore& store, const QString& section,
                 int designWidthTwips, int designHeightTwips);
// Width and Height (the design size when not in the normal state) and WinState.
void saveSize(const QWidget* window, SettingsStore& store, const QString& section,
              int designWidthTwips, int designHeightTwips);

// The list's font size from MainFontSize of section Setting (default 9).
void applyListFont(QTreeWidget* list, const SettingsStore& store);

} // namespace ReportWindow
