#include "platform/helpviewer/HelpTopic.h"

#include <QFileInfo>

HelpTopic ParseHelpTopic(const QString& argument) {
    HelpTopic topic;
    QString rest = argument.trimmed();
    if (rest.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) rest = rest.mid(5);
    const qsizetype hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        topic.anchor = rest.mid(hash + 1);
        rest = rest.left(hash);
    }
    if (rest.startsWith(QLatin1String("\\Windows\\"), Qt::CaseInsensitive)) rest = rest.mid(9);
    topic.file = rest;
    topic.valid = !rest.isEmpty() && !rest.contains(QLatin1Char('/')) &&
                  !rest.contains(QLatin1Char('\\')) && rest != QLatin1String(".") &&
                  rest != QLatin1String("..");
    return topic;
}

QString FindHelpFile(const QDir& folder, const QString& name) {
    if (name.isEmpty()) return {};
    const QFileInfo exact(folder.filePath(name));
    if (exact.fileName() == name && exact.isFile()) return exact.absoluteFilePath();
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return entry.absoluteFilePath();
    return {};
}
