#include "platform/DroppedFiles.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace ombrix::platform {

bool holdsFileList(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

QStringList droppedFilePaths(const QMimeData& data) {
    QStringList paths;
    if (!holdsFileList(data))
        return paths;
    for (const QUrl& url : data.urls())
        paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    return paths;
}

} // namespace ombrix::platform
