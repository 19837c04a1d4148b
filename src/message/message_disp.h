#pragma once

// The message window: prints a story text into the back buffer's text area and reveals it
// on the screen two characters a step.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "message/text_layout.h"
#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"
#include "platform/host/host.h"
#include "platform/surface.h"

namespace velko::message {

class MessageDisp {
public:
    // `picDisp` is the screen the reveal is shown on (frmMain.picDisp).
    MessageDisp(platform::Host& host, platform::Surface& picDisp);
    MessageDisp(const MessageDisp&) = delete;
    MessageDisp& operator=(const MessageDisp&) = delete;

    // The text area: (50, 370)-(640, 480) of the 640 by 480 pictures.
    static constexpr gfx::Rect kTextArea{50, 370, 590, 110};
    // The hard wrap of ChangeMessage, in characters.
    static constexpr std::size_t kWrapColumns = 27;

    // The class's own print operation (C++ keeps the class's name for its constructor, so it
    // is spelt with a small m). Draws `strData` into `picName` over its cleared picture.
    // Mode 1 draws at once and leaves the screen alone; any other mode reveals two characters
    // a step, each step shown on the screen and paced to `lngWait` ms, pending events
    // processed once a step; the screen then keeps the finished text as its picture. Returns
    // when the text is complete; when the program is quitting, at once with the full text.
    void messageDisp(platform::Surface& picName, std::int16_t intMessMode,
                     std::u16string_view strData, std::int32_t lngWait);

    // The display form of a scenario text line: each "'R" marker (either case) becomes a
    // line break and lines are cut at 27 characters; every line ends with CR LF, the last
    // one too, and empty lines stay. Counts UTF-16 units. Pure.
    static std::u16string ChangeMessage(std::u16string_view strSource);

    // The font the text is printed in, on a picture whose face is `face`; shared with the
    // scenario checker so that its layout warnings match the screen.
    static platform::FontSpec messageFontSpec(platform::FontFace face);

private:
    // Prepares picName for the text: the text area, white, bold, and the message font
    // selected into it.
    void SetMessageFont(platform::Surface& picName);

    void copyToScreen(const platform::Surface& picName);

    platform::Host& host_;
    platform::Surface& picDisp_;
    gfx::Rect mrctText_ = kTextArea;
    std::shared_ptr<const platform::Font> mhFont_;
};

}  // namespace velko::message
