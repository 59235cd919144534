#include "platform/ProgramName.h"

#include "ombrix/ProjectInfo.h"

namespace ombrix::platform {

QString programName() {
    return QString::fromUtf8(project::kName.data(), static_cast<qsizetype>(project::kName.size()));
}

QString desktopId() {
    return QString::fromUtf8(project::kAppId.data(),
                             static_cast<qsizetype>(project::kAppId.size()));
}

} // namespace ombrix::platform
