// libFuzzer: arbitrary bytes as the scenario that velko-check reads (without a game
// folder), and every finding formatted as the tool prints it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "checker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto result = velko::check::checkScenario(bytes, std::nullopt);
    for (const auto& finding : result.findings) {
        (void)velko::check::formatFinding("fuzz.txt", finding);
    }
    return 0;
}
