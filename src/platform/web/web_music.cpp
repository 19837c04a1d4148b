#include "platform/web/web_music.h"

#include <emscripten.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace velko::web {

std::optional<std::filesystem::path> WebMusic::rendering(const std::filesystem::path& midiFile) {
    std::filesystem::path ogg = midiFile;
    ogg.replace_extension(".ogg");
    std::error_code ec;
    if (std::filesystem::is_regular_file(ogg, ec) && std::filesystem::file_size(ogg, ec) > 0) {
        return ogg;
    }
    const std::filesystem::path rel = ogg.lexically_normal().lexically_relative(root_);
    if (rel.empty() || *rel.begin() == "..") {
        return std::nullopt;
    }
    std::filesystem::create_directories(ogg.parent_path(), ec);
    const std::string url = urlBase_ + rel.generic_string();
    void* bytes = nullptr;
    int size = 0;
    int failed = 0;
    emscripten_wget_data(url.c_str(), &bytes, &size, &failed);
    if (failed || !bytes) {
        std::free(bytes);
        return std::nullopt;
    }
    std::ofstream out(ogg, std::ios::binary);
    out.write(static_cast<const char*>(bytes), size);
    std::free(bytes);
    if (!out.flush()) {
        return std::nullopt;
    }
    return ogg;
}

}  // namespace velko::web
