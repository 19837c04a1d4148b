#pragma once

// The words the version dialog shows: fixed by the program except for the product's own
// title, maker and home page.

#include <string>
#include <string_view>

namespace velko::about {

struct AboutText {
    std::u16string caption;       // the dialog's title bar
    std::u16string versionLine;   // "velko01 Version 1.0"
    std::u16string rightsLine;    // the year and the maker
    std::u16string addressLabel;  // "ホームページアドレス："
    std::string homepage;         // shown as the link and opened by it
    std::u16string linkTip;       // the tool tip over the link
};

// The dialog's text for a product. `productTitle` is the window caption, which may already
// end in the episode ("灯守坂　第１話"); the caption names the episode once.
AboutText aboutText(std::u16string_view productTitle, std::u16string_view rights,
                    std::string_view homepage);

}  // namespace velko::about
