#pragma once

#include "core/Catalogue.h"

namespace ombrix::reader {

// The catalogue read in this process through libmdb, answering as DAO 3.6 would. libmdb may
// crash or hang on damaged files, so the program proper never calls this directly: it runs
// inside the reader's child process, behind ReaderCatalogue.
class MdbCatalogue final : public core::Catalogue {
public:
    core::DatabaseObjects listObjects(const std::string& path,
                                      const std::string& password) override;
    core::ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                          core::ObjectKind kind, const std::string& name) override;
    core::DatabaseInspection
    inspectDatabase(const std::string& path, const std::string& password,
                    const std::optional<core::ObjectName>& object) override;
};

} // namespace ombrix::reader
