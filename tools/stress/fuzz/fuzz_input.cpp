// libFuzzer: arbitrary bytes as a velko-headless input file.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/headless/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)velko::headless::parseInputScript(bytes, "input.txt");
    (void)velko::headless::canonicalKeyName(bytes.substr(0, 64));
    return 0;
}
