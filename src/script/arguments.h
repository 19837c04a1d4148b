#pragma once

// Parsers for command arguments, shared by the player and velko-check. Each returns the
// value or an error whose message reads on after "scenario line N: ", such as
// "JP target 40000 is outside 1 to 32767".
//
// Numbers are decimal: an optional "+" or "-" and ASCII digits. Blanks (U+0020) around a
// number are ignored, the way the old converter ignored them; anything else (inner blanks,
// full-width digits, a decimal point) makes the argument invalid.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "script/opcode.h"

namespace velko::script {

// The number, or nothing when the text is not a decimal integer. Values far outside every
// range come back clamped to +-10^12, so range checks still refuse them.
std::optional<std::int64_t> parseDecimal(std::u16string_view text);

// JP: the target line, 1 to 32767 (the counter is set to target - 1).
Result<std::int32_t> parseJump(std::u16string_view argument);

// WT: milliseconds, 0 to 2^31 - 1.
Result<std::int32_t> parseWait(std::u16string_view argument);

// KR: "True" or "False", in any letter case, blanks around ignored.
Result<bool> parseRightClick(std::u16string_view argument);

// Picture, wave, MIDI and wallpaper names: a bare file name. Empty names, "/" or "\" and
// ".." are refused. `op` names the command in the message.
Result<std::u16string_view> parseAssetName(Opcode op, std::u16string_view argument);

// WM: wave ":" text; the text runs to the end of the line and may hold ":".
struct WaveMessage {
    std::u16string_view wave;
    std::u16string_view text;
};
Result<WaveMessage> parseWaveMessage(std::u16string_view argument);

// ZB: thirteen signed 32-bit values split at ",". Items after the thirteenth are ignored
// (and counted, for the checker); the target must be a line number.
struct Button {
    std::array<std::int32_t, 13> values{};
    int ignoredItems = 0;

    std::int32_t left() const { return values[0]; }
    std::int32_t top() const { return values[1]; }
    std::int32_t right() const { return values[2]; }
    std::int32_t bottom() const { return values[3]; }
    std::int32_t target() const { return values[12]; }
};
Result<Button> parseButton(std::u16string_view argument);

// QE: question ":" text1 "," points1 "," line1 ":" text2 "," points2 "," line2. The question
// and the first text hold neither ":" nor ","; the second text holds no ",".
struct Choice {
    std::u16string_view text;
    std::int16_t points = 0;
    std::int32_t target = 0;
};
struct Question {
    std::u16string_view question;
    Choice first;
    Choice second;
};
Result<Question> parseQuestion(std::u16string_view argument);

// IF: n ":" equal ":" greater ":" less. The player needs only the selected target to be a
// line number (IfJump); the checker holds every field to it (parseIf).
struct IfTargets {
    std::int16_t value = 0;
    std::int32_t equal = 0;
    std::int32_t greater = 0;
    std::int32_t less = 0;
};
Result<IfTargets> parseIf(std::u16string_view argument);
Result<std::int32_t> IfJump(std::u16string_view argument, std::int16_t points);

// The points after adding `delta`, or an error when they would leave -32768 to 32767.
Result<std::int16_t> addPoints(std::int16_t points, std::int32_t delta);

// A short quoted rendering of script text for messages: "abc", cut after 40 units.
std::string quoteText(std::u16string_view text);

}  // namespace velko::script
