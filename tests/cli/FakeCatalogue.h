#pragma once

#include "core/Catalogue.h"

#include <optional>

namespace ombrix::cli::test {

// A catalogue holding what a test puts in it, and remembering what it was asked.
class FakeCatalogue final : public core::Catalogue {
public:
    core::DatabaseObjects objects;
    core::ObjectDefinition definition;
    std::optional<core::EngineError> failure;
    std::string askedPath, askedPassword, askedName;
    core::ObjectKind askedKind = core::ObjectKind::Table;
    int requests = 0;

    core::DatabaseObjects listObjects(const std::string& path,
                                      const std::string& password) override {
        ask(path, password);
        return objects;
    }
    core::ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                          core::ObjectKind kind, const std::string& name) override {
        askedKind = kind;
        askedName = name;
        ask(path, password);
        return definition;
    }

private:
    void ask(const std::string& path, const std::string& password) {
        ++requests;
        askedPath = path;
        askedPassword = password;
        if (failure) {
            throw *failure;
        }
    }
};

} // namespace ombrix::cli::test
