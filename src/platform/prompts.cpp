#include "platform/prompts.h"

#include <QList>
#include <QStringList>

namespace {
struct FileType {
    QString shown;    // as the dialog lists it: "CSV檔案 (*.csv)"
    QString patterns; // as the filter has them: "*.csv"
};

QList<FileType> fileTypes(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<FileType> types;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        // A description that shows its patterns already ("Qivo備份 (*.qvk)") would show them
        // twice: the patterns that count are the filter's own.
        QString description = parts.at(i).trimmed();
        if (description.endsWith(u')')) {
            const qsizetype open = description.lastIndexOf(u'(');
            if (open >= 0) description = description.left(open).trimmed();
        }
        types.append(
            {description + QLatin1String(" (") + patterns.simplified() + u')', parts.at(i + 1)});
    }
    if (parts.size() == 1 && !parts.first().isEmpty())
        types.append({parts.first(), parts.first()}); // a bare pattern list
    return types;
}
} // namespace

QString Prompts::qtFilter(const QString& filter) {
    QStringList out;
    for (const FileType& type : fileTypes(filter))
        out.append(type.shown);
    return out.join(QLatin1String(";;"));
}

QString Prompts::typePatterns(const QString& filter, const QString& shownType) {
    for (const FileType& type : fileTypes(filter))
        if (type.shown == shownType) return type.patterns;
    return QString();
}

QString Prompts::typeExtension(const QString& patterns) {
    const QString first = patterns.section(u';', 0, 0).trimmed();
    if (!first.startsWith(QLatin1String("*."))) return QString();
    const QString extension = first.mid(2);
    if (extension.contains(u'*') || extension.contains(u'?')) return QString();
    return extension;
}
