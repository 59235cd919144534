#include "platform/ArgumentText.h"

namespace ombrix::platform {

std::string argumentText(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        text += (i > 1 ? " " : "") + std::string(argv[i]);
    }
    return text;
}

} // namespace ombrix::platform
