#include "platform/WebAddress.h"

#include <QDesktopServices>
#include <QUrl>

namespace ombrix::platform {

void openWebAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace ombrix::platform
