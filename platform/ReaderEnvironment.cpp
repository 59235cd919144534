#include "ReaderEnvironment.h"

namespace ombrix::platform {

QProcessEnvironment readerEnvironment(QProcessEnvironment environment) {
    for (const char* name : kLibmdbVariables) {
        environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

} // namespace ombrix::platform
