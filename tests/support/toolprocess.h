#pragma once
// Runs one of the built command-line tools (tests/tools/NAME beside the test programs).
#include <QString>
#include <QStringList>

struct ToolProcess {
    int exitCode = -1; // -1: missing or crashed
    QString out;       // stdout as UTF-8
    QString err;
};

ToolProcess RunTool(const QString& name, const QStringList& args);
