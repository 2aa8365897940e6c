#include "toolprocess.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

ToolProcess RunTool(const QString& name, const QStringList& args) {
    const QString program = QCoreApplication::applicationDirPath() + "/tools/" + name;
    ToolProcess run;
    if (!QFileInfo(program).isExecutable()) {
        run.err = "missing " + program + " (build the " + name + " target)";
        return run;
    }
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
