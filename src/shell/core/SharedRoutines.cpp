#include "shell/core/SharedRoutines.h"

namespace quillet {

QString JoinPath(const QString& directory, const QString& name) {
    QString dir = directory;
    QString file = name;
    if (file.startsWith(QLatin1Char('/'))) file.remove(0, 1);
    if (dir.endsWith(QLatin1Char('/'))) dir.chop(1);
    return dir + QLatin1Char('/') + file;
}

QString ReplaceAll(const QString& text, const QString& search, const QString& replacement) {
    if (search.isEmpty() || replacement.contains(search)) return text;
    QString result = text;
    for (qsizetype at = result.indexOf(search); at >= 0; at = result.indexOf(search)) {
        result.replace(at, search.size(), replacement);
    }
    return result;
}

QString EscapeAmpersands(const QString& text) {
    QString result = text;
    result.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return result;
}

}  // namespace quillet
