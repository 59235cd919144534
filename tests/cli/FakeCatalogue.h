#pragma once

#include "platform/Catalogue.h"

#include <optional>

namespace ombrix::cli::test {

// A catalogue holding what a test puts in it, and remembering what it was asked.
class FakeCatalogue final : public platform::Catalogue {
public:
    platform::DatabaseObjects objects;
    platform::ObjectDefinition definition;
    std::optional<platform::EngineError> failure;
    QString askedPath, askedPassword, askedName;
    platform::ObjectKind askedKind = platform::ObjectKind::Table;
    int requests = 0;

    platform::DatabaseObjects listObjects(const QString& path, const QString& password) override {
        ask(path, password);
        return objects;
    }
    platform::ObjectDefinition describeObject(const QString& path, const QString& password,
                                              platform::ObjectKind kind,
                                              const QString& name) override {
        askedKind = kind;
        askedName = name;
        ask(path, password);
        return definition;
    }

private:
    void ask(const QString& path, const QString& password) {
        ++requests;
        askedPath = path;
        askedPassword = password;
        if (failure) {
            throw *failure;
        }
    }
};

} // namespace ombrix::cli::test
