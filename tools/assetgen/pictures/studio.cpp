#include "pictures/studio.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/fonts/freetype_fonts.h"

namespace velko::art {

namespace {

// The lettering faces: Debian's packages fonts-kouzan-mouhitsu (brush, in the standard and
// the running hand) and fonts-ipafont-mincho / fonts-ipafont-gothic.
constexpr const char* kBrushFont = "/usr/share/fonts/truetype/kouzan-mouhitsu/kouzan-mouhitsu.ttf";
constexpr const char* kCursiveFont =
    "/usr/share/fonts/truetype/kouzan-mouhitsu/kouzan-mouhitsu-gyosho.ttf";
constexpr const char* kMinchoFont = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf";
constexpr const char* kGothicFont = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

Result<std::unique_ptr<paint::OutlineFont>> loadFace(const char* path, const char* package) {
    auto f = paint::OutlineFont::load(path);
    if (!f) {
        return makeError(f.error() + " (install the Debian package " + package + ")");
    }
    return std::move(f.value());
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) {
        return {};
    }
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

Result<std::vector<PictureEntry>> readManifest(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        return makeError(file.string() + ": cannot open");
    }
    std::vector<PictureEntry> out;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = trim(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        PictureEntry e;
        std::string size;
        fields >> e.file >> e.painter >> size >> e.seed;
        const auto x = size.find('x');
        if (!fields || x == std::string::npos) {
            return makeError(file.string() + ":" + std::to_string(number) +
                             ": expected FILE PAINTER WIDTHxHEIGHT SEED");
        }
        e.width = std::atoi(size.substr(0, x).c_str());
        e.height = std::atoi(size.substr(x + 1).c_str());
        if (e.width <= 0 || e.height <= 0 || e.width > 4096 || e.height > 4096) {
            return makeError(file.string() + ":" + std::to_string(number) + ": bad size " + size);
        }
        if (!painters().count(e.painter)) {
            return makeError(file.string() + ":" + std::to_string(number) + ": no painter named " +
                             e.painter);
        }
        out.push_back(e);
    }
    return out;
}

Result<std::unique_ptr<Studio>> Studio::open(const std::filesystem::path& artDir) {
    std::unique_ptr<Studio> s(new Studio());
    s->artDir_ = artDir;
    // The gothic face is the program's own requirement; the lettering faces fall back to it
    // (with a warning naming the package) so a machine without them still builds the episode.
    auto gothic = loadFace(kGothicFont, "fonts-ipafont-gothic");
    if (!gothic) {
        return makeError(gothic.error());
    }
    s->gothic_ = std::move(gothic.value());
    auto orFallback = [](Result<std::unique_ptr<paint::OutlineFont>> face,
                         const char* fallback) -> std::unique_ptr<paint::OutlineFont> {
        if (face) {
            return std::move(face.value());
        }
        std::fprintf(stderr, "velko-assetgen: warning: %s; lettering falls back to %s\n",
                     face.error().c_str(), fallback);
        return nullptr;
    };
    s->mincho_ = orFallback(loadFace(kMinchoFont, "fonts-ipafont-mincho"), kGothicFont);
    if (!s->mincho_) {
        s->mincho_ = std::move(loadFace(kGothicFont, "fonts-ipafont-gothic").value());
    }
    s->brush_ = orFallback(loadFace(kBrushFont, "fonts-kouzan-mouhitsu"), kMinchoFont);
    s->cursive_ = orFallback(loadFace(kCursiveFont, "fonts-kouzan-mouhitsu"), kMinchoFont);
    for (auto* face : {&s->brush_, &s->cursive_}) {
        if (!*face) {
            auto mincho = loadFace(kMinchoFont, "fonts-ipafont-mincho");
            *face = mincho ? std::move(mincho.value())
                           : std::move(loadFace(kGothicFont, "fonts-ipafont-gothic").value());
        }
    }
    auto fonts = platform::FreeTypeFontLibrary::create();
    if (!fonts) {
        return makeError(fonts.error());
    }
    s->screenFonts_ = std::move(fonts.value());

    const auto letteringPath = artDir / "lettering.txt";
    std::ifstream in(letteringPath);
    if (!in) {
        return makeError(letteringPath.string() + ": cannot open");
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (trim(line).empty() || trim(line)[0] == '#') {
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            return makeError(letteringPath.string() + ":" + std::to_string(number) +
                             ": expected KEY: TEXT");
        }
        s->texts_[trim(line.substr(0, colon))] = trim(line.substr(colon + 1));
    }
    return s;
}

std::string Studio::text(const std::string& key) const {
    const auto it = texts_.find(key);
    return it == texts_.end() ? std::string{} : it->second;
}

Result<std::string> Studio::file(const std::string& relative) const {
    const auto path = artDir_ / relative;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return makeError(path.string() + ": cannot open");
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const paint::Canvas& Studio::picture(const std::string& file) {
    const auto it = painted_.find(file);
    if (it != painted_.end()) {
        return it->second;
    }
    for (const PictureEntry& e : entries_) {
        if (e.file == file) {
            paint::Canvas c = painters().at(e.painter)(*this, e);
            return painted_.emplace(file, std::move(c)).first->second;
        }
    }
    // A missing dependency is a mistake in the manifest; an empty canvas keeps going.
    return painted_.emplace(file, paint::Canvas(1, 1)).first->second;
}

}  // namespace velko::art
