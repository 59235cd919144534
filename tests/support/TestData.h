#pragma once

#include <filesystem>
#include <string_view>

// Where the tests find their files. The one root of each: the source tree (tables, golden files,
// fixture descriptions under tests/), the build folder (the programs in bin/, the databases mkmdb
// wrote) and the folder of the real Access files, which are read in place and may be absent. An
// empty relative path names the root itself.
namespace ombrix::tests {

std::filesystem::path sourceFile(std::string_view relative);
std::filesystem::path builtFile(std::string_view relative);
std::filesystem::path conformanceFile(std::string_view name);

// Whether the real Access files are at hand; a test that reads them skips without them.
bool haveConformanceFiles();

} // namespace ombrix::tests
