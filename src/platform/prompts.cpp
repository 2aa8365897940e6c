#include "platform/prompts.h"

#include <QStringList>

QString Prompts::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
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
        out.append(description + QLatin1String(" (") + patterns.simplified() + u')');
    }
    if (parts.size() == 1 && !parts.first().isEmpty())
        out.append(parts.first()); // a bare pattern list
    return out.join(QLatin1String(";;"));
}
