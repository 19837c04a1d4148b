#include "platform/web/web_desktop.h"

#include "platform/web/page_bridge.h"

namespace velko::web {

std::string WebDesktop::urlOf(const std::filesystem::path& absolutePath) const {
    const std::filesystem::path rel = absolutePath.lexically_normal().lexically_relative(root_);
    if (rel.empty() || *rel.begin() == "..") {
        return {};
    }
    return urlBase_ + rel.generic_string();
}

void WebDesktop::setWallpaper(const std::filesystem::path& absolutePath) {
    const std::string url = urlOf(absolutePath);
    if (!url.empty()) {
        velko_offer_download(url.c_str(), absolutePath.filename().string().c_str());
    }
}

void WebDesktop::openUrl(const std::string& url) {
    velko_open_tab(url.c_str());
}

}  // namespace velko::web
