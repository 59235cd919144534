#pragma once

#include "core/Catalogue.h"

#include <string>

// Errors as the engine numbers them for a file it cannot use.
namespace ombrix::core {

EngineError fileNotFound(const std::string& path);
EngineError invalidPath(const std::string& path);
EngineError cannotOpen(const std::string& path);
// 3343; the detail, when given, follows the engine's sentence.
EngineError unrecognizedFormat(const std::string& path, const std::string& detail = {});
// 3343 for a table definition the reader cannot take apart.
EngineError damagedTableDefinition(const std::string& path);

} // namespace ombrix::core
