#include "core/EngineErrors.h"

namespace ombrix::core {

namespace {

EngineError withDetail(int number, std::string text, const std::string& detail) {
    if (!detail.empty()) {
        text += ' ' + detail;
    }
    return {number, text};
}

} // namespace

EngineError objectNotSet() {
    return {91, "Object variable or With block variable not set"};
}

EngineError invalidPropertyValue() {
    return {380, "Invalid property value"};
}

EngineError cannotStartReader(const std::string& program, const std::string& reason) {
    return {429, "The database reader '" + program + "' could not be started: " + reason};
}

EngineError fileNotFound(const std::string& path) {
    return {3024, "Could not find file '" + path + "'."};
}

EngineError notValidPassword() {
    return {kNotValidPassword, "Not a valid password."};
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

EngineError missingInput(const std::string& name) {
    return {3078, "The database engine cannot find the input table or query '" + name +
                      "'. Make sure it exists and that its name is spelled correctly."};
}

EngineError ambiguousField(const std::string& field) {
    return {3079, "The specified field '" + field +
                      "' could refer to more than one table listed in the FROM clause of your SQL "
                      "statement."};
}

EngineError circularReference(const std::string& name) {
    return {3103, "Circular reference caused by '" + name + "'."};
}

EngineError odbcConnectionFailed(const std::string& dataSource) {
    return {3151, "ODBC--connection to '" + dataSource + "' failed."};
}

EngineError notSupported(const std::string& query, const std::string& why) {
    return {3251, "Operation is not supported for this type of object. The fields of query '" +
                      query + "' cannot be known without running it: " + why + "."};
}

EngineError itemNotFound(const std::string& detail) {
    return withDetail(3265, "Item not found in this collection.", detail);
}

EngineError unrecognizedFormat(const std::string& path, const std::string& detail) {
    return withDetail(3343, "Unrecognized database format '" + path + "'.", detail);
}

EngineError damagedCatalogue(const std::string& path) {
    return unrecognizedFormat(path, "The catalogue is damaged.");
}

EngineError damagedTableDefinition(const std::string& path) {
    return unrecognizedFormat(path, "A table definition is damaged.");
}

EngineError unknownEncryption(const std::string& path) {
    return unrecognizedFormat(path,
                              "The file is protected by Office encryption, which cannot be read.");
}

EngineError cannotLoadDecryption(const std::string& path, const std::string& reason) {
    return unrecognizedFormat(path, "The file is encrypted, and the library that decrypts it "
                                    "could not be loaded: " +
                                        reason);
}

EngineError tooLargeToDecrypt(const std::string& path, std::int64_t limitBytes) {
    return unrecognizedFormat(path, "The encrypted file is larger than " +
                                        std::to_string(limitBytes >> 30) +
                                        " GB, the most that is decrypted in memory.");
}

EngineError queryTooComplex() {
    return {3360, "Query is too complex."};
}

} // namespace ombrix::core
