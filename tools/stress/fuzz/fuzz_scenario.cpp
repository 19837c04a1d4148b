// libFuzzer: arbitrary bytes as a scenario source, then every line through the opcode split
// and the argument parser its command uses (and all of them, for lines of no command).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/arguments.h"
#include "script/script.h"

using namespace velko::script;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParsedSource parsed = parseSource(bytes);
    for (const auto& error : parsed.errors) {
        (void)describe("fuzz.txt", error);
    }
    (void)loadSource(bytes, "fuzz.txt");
    std::int16_t points = 0;
    for (const auto& [n, line] : parsed.script.lines()) {
        const Opcode op = opcodeOf(line.text);
        const auto argument = argumentOf(line.text);
        (void)opcodeName(op);
        (void)flowOf(op);
        (void)parseDecimal(argument);
        (void)parseJump(argument);
        (void)parseWait(argument);
        (void)parseRightClick(argument);
        (void)parseAssetName(op == Opcode::Message ? Opcode::PA : op, argument);
        (void)parseWaveMessage(argument);
        (void)parseButton(argument);
        (void)parseIf(argument);
        (void)IfJump(argument, points);
        (void)quoteText(argument);
        if (const auto question = parseQuestion(argument)) {
            if (const auto sum = addPoints(points, question->first.points)) {
                points = *sum;
            }
        }
    }
    return 0;
}
