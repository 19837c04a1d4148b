#include "about/about_text.h"

namespace velko::about {

namespace {

constexpr std::u16string_view kEpisode = u"第１話";

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

std::u16string_view trimEnd(std::u16string_view s) {
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace

AboutText aboutText(std::u16string_view productTitle, std::u16string_view rights,
                    std::string_view homepage) {
    std::u16string_view series = trimEnd(productTitle);
    if (series.ends_with(kEpisode) && series.size() > kEpisode.size()) {
        series = trimEnd(series.substr(0, series.size() - kEpisode.size()));
    }
    AboutText text;
    text.caption = std::u16string(series) + u" 第１話　のバージョン情報";
    text.versionLine = u"velko01 Version 1.0";
    text.rightsLine = std::u16string(rights);
    text.addressLabel = u"ホームページアドレス：";
    text.homepage = std::string(homepage);
    text.linkTip = u"ホームページに接続します";
    return text;
}

}  // namespace velko::about
