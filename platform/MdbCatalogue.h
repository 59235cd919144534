#pragma once

#include "Catalogue.h"

namespace ombrix::platform {

// The catalogue read in this process through libmdb, answering as DAO 3.6 would. libmdb may
// crash or hang on damaged files, so the program proper never calls this directly: it runs
// inside the ombrix-reader child process, behind ReaderCatalogue.
class MdbCatalogue final : public Catalogue {
public:
    DatabaseObjects listObjects(const QString& path, const QString& password) override;
    ObjectDefinition describeObject(const QString& path, const QString& password, ObjectKind kind,
                                    const QString& name) override;
};

} // namespace ombrix::platform
