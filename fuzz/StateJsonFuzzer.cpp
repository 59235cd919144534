// The --state JSON of ombrix-cli generate, and the page generated from whatever it accepts: the
// generator must be total over every state the reader lets through.
#include "cli/CliSupport.h"
#include "cli/StateJson.h"
#include "generator/GeneratePage.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string json(reinterpret_cast<const char*>(data), size);
    try {
        const ombrix::WizardState state = ombrix::cli::wizardStateFromJson(json);
        const std::string page = ombrix::GeneratePage(state);
        if (page.empty() || !page.ends_with("\r\n")) {
            __builtin_trap();
        }
    } catch (const ombrix::cli::CommandError& error) {
        if (error.exitCode() != ombrix::cli::kExitBadUsage) {
            __builtin_trap();
        }
    }
    return 0;
}
