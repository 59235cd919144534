#include "platform/DroppedFiles.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace ombrix::platform {

bool holdsFileList(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

std::vector<std::string> droppedFilePaths(const QMimeData& data) {
    std::vector<std::string> paths;
    if (!holdsFileList(data))
        return paths;
    // QUrl::toLocalFile() would decode the bytes as UTF-8, replacing those that are not.
    for (const QUrl& url : data.urls()) {
        const QString host = url.host(QUrl::FullyEncoded);
        const QString path =
            (host.isEmpty() ? QString() : "//" + host) + url.path(QUrl::FullyEncoded);
        paths.push_back(QByteArray::fromPercentEncoding(path.toLatin1()).toStdString());
    }
    return paths;
}

} // namespace ombrix::platform
