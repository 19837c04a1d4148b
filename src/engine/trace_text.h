#pragma once

// Text in a trace line: one line, with "\" as "\\", CR as "\r" and LF as "\n".

#include <string>
#include <string_view>

namespace velko::engine {

std::string traceText(std::u16string_view text);

}  // namespace velko::engine
