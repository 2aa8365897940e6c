#pragma once
// The verbs of setup-tool. Each gets the arguments after its name and returns the exit code
// (ToolExit). A new verb is a function here and one line in main.cpp's table.
#include <QStringList>

int AccountVerb(const QStringList& args);
int TextsVerb(const QStringList& args);
int SettingsVerb(const QStringList& args);
