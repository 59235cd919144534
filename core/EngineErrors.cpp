#include "core/EngineErrors.h"

namespace ombrix::core {

EngineError fileNotFound(const std::string& path) {
    return {3024, "Could not find file '" + path + "'."};
}

EngineError invalidPath(const std::string& path) {
    return {3044, "'" + path +
                      "' is not a valid path. Make sure that the path name is spelled correctly "
                      "and that you are connected to the server on which the file resides."};
}

EngineError cannotOpen(const std::string& path) {
    return {3051, "The database engine cannot open the file '" + path +
                      "'. It is already opened exclusively by another user, or you need "
                      "permission to view its data."};
}

EngineError unrecognizedFormat(const std::string& path, const std::string& detail) {
    std::string text = "Unrecognized database format '" + path + "'.";
    if (!detail.empty()) {
        text += ' ' + detail;
    }
    return {3343, text};
}

EngineError damagedTableDefinition(const std::string& path) {
    return unrecognizedFormat(path, "A table definition is damaged.");
}

} // namespace ombrix::core
