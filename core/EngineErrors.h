#pragma once

#include "core/Catalogue.h"

#include <cstdint>
#include <string>

// Every error the engine or the reader reports, by its number; each text is written once, in
// EngineErrors.cpp. Where a detail is taken, it follows the engine's sentence.
namespace ombrix::core {

// The one number a caller acts on: the wizard asks for the password again.
constexpr int kNotValidPassword = 3031;

EngineError objectNotSet();                                                              // 91
EngineError invalidPropertyValue();                                                      // 380
EngineError cannotStartReader(const std::string& program, const std::string& reason);    // 429
EngineError fileNotFound(const std::string& path);                                       // 3024
EngineError notValidPassword();                                                          // 3031
EngineError invalidPath(const std::string& path);                                        // 3044
EngineError cannotOpen(const std::string& path);                                         // 3051
EngineError missingInput(const std::string& name);                                       // 3078
EngineError ambiguousField(const std::string& field);                                    // 3079
EngineError circularReference(const std::string& name);                                  // 3103
EngineError odbcConnectionFailed(const std::string& dataSource);                         // 3151
EngineError notSupported(const std::string& query, const std::string& why);              // 3251
EngineError itemNotFound(const std::string& detail = {});                                // 3265
EngineError unrecognizedFormat(const std::string& path, const std::string& detail = {}); // 3343
EngineError damagedCatalogue(const std::string& path);                                   // 3343
EngineError damagedTableDefinition(const std::string& path);                             // 3343
EngineError unknownEncryption(const std::string& path);                                  // 3343
EngineError tooLargeToDecrypt(const std::string& path, std::int64_t limitBytes);         // 3343
EngineError cannotLoadDecryption(const std::string& path, const std::string& reason);    // 3343
EngineError queryTooComplex();                                                           // 3360

} // namespace ombrix::core
