#include "support/TestData.h"

namespace ombrix::tests {

namespace fs = std::filesystem;

namespace {

fs::path under(const char* root, std::string_view relative) {
    return relative.empty() ? fs::path(root) : fs::path(root) / relative;
}

} // namespace

fs::path sourceFile(std::string_view relative) {
    return under(OMBRIX_SOURCE_DIR, relative);
}

fs::path builtFile(std::string_view relative) {
    return under(OMBRIX_BUILD_DIR, relative);
}

fs::path conformanceFile(std::string_view name) {
    return under(OMBRIX_CONFORMANCE_DIR, name);
}

bool haveConformanceFiles() {
    return fs::exists(conformanceFile("testV1997.mdb"));
}

} // namespace ombrix::tests
