#include "file.h"

#include <QFileInfo>
#include <QUrl>

bool File::fileExists(const QString &path) const
{
    if (path.isEmpty())
        return false;
    QString local = path;
    if (path.startsWith(QLatin1String("file:")))
        local = QUrl(path).toLocalFile();
    return !local.isEmpty() && QFileInfo::exists(local);
}
