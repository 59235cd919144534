#include "wizard/VersionCaption.h"

#include "platform/ProgramName.h"

namespace ombrix::wizard {

QString versionCaption(int major, int minor, int revision) {
    const QChar zero = QLatin1Char('0');
    return platform::programName() + QStringLiteral(" - Version ") + QString::number(major) +
           QLatin1Char('.') + QStringLiteral("%1").arg(minor, 2, 10, zero) + QLatin1Char('.') +
           QStringLiteral("%1").arg(revision, 4, 10, zero);
}

} // namespace ombrix::wizard
