#include "support/TemporaryDatabase.h"

#include "Mkmdb.h"

#include <stdexcept>

namespace ombrix::tests {

TemporaryDatabase::TemporaryDatabase(const QByteArray& jsonDescription, const QString& fileName) {
    if (!folder_.isValid())
        throw std::runtime_error("cannot create a temporary folder: " +
                                 folder_.errorString().toStdString());
    path_ = folder_.filePath(fileName);
    mkmdb::writeDatabaseFile(jsonDescription, path_);
}

} // namespace ombrix::tests
