// libFuzzer: arbitrary bytes as a story text (UTF-8, as scenarios hold it), brought into
// display form, laid out in the message font and drawn part by part as the reveal draws it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "base/utf.h"
#include "message/message_disp.h"
#include "message/text_layout.h"
#include "platform/fonts/freetype_fonts.h"

using namespace velko;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto fonts = platform::FreeTypeFontLibrary::create().value();
    static const auto font = fonts->open({platform::FontFace::Gothic, 19, 22, true, false, false});
    static gfx::Bitmap screen(640, 480);
    const auto text = utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text) {
        return 0;
    }
    const std::u16string shown = message::MessageDisp::ChangeMessage(*text);
    const auto area = message::MessageDisp::kTextArea;
    const auto lines = message::layoutText(*font, shown, area.w);
    for (std::size_t k = 0; k <= shown.size() + 2; k += 1 + shown.size() / 7) {
        message::drawLines(screen, *font, shown, lines, k, area, 0xFFFFFF);
    }
    return 0;
}
