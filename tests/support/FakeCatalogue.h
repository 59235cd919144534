#pragma once

#include "core/Catalogue.h"
#include "core/EngineErrors.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ombrix::tests {

// A catalogue holding what a test puts in it: the objects, and each object's definition by name
// (a name it does not hold is not found, as the engine answers). It remembers every request.
class FakeCatalogue final : public core::Catalogue {
public:
    core::DatabaseObjects objects;
    std::map<std::string, core::ObjectDefinition> definitions;
    std::optional<core::EngineError> failure; // thrown by every request when set
    std::vector<std::string> requests; // "PATH|PASSWORD", then "|Table: NAME" or "|Query: NAME"

    core::DatabaseObjects listObjects(const std::string& path,
                                      const std::string& password) override {
        ask(path + '|' + password);
        return objects;
    }
    core::ObjectDefinition describeObject(const std::string& path, const std::string& password,
                                          core::ObjectKind kind, const std::string& name) override {
        ask(path + '|' + password + (kind == core::ObjectKind::Table ? "|Table: " : "|Query: ") +
            name);
        const auto found = definitions.find(name);
        if (found == definitions.end()) {
            throw core::itemNotFound();
        }
        return found->second;
    }

private:
    void ask(std::string request) {
        requests.push_back(std::move(request));
        if (failure) {
            throw *failure;
        }
    }
};

} // namespace ombrix::tests
