#include "platform/ArgumentText.h"

#include <QStringList>

namespace ombrix::platform {

QString argumentText(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments.join(QLatin1Char(' '));
}

} // namespace ombrix::platform
