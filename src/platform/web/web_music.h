#pragma once

// Music in the browser, where no synthesiser runs: every MIDI piece was rendered at build time
// to an OGG file of the same name beside the page. The MIDI file itself stays in the program's
// files, as its length still decides when a loop starts again.

#include <filesystem>
#include <optional>

namespace velko::web {

class WebMusic {
public:
    // The program's files under `root` are served at `urlBase` beside the page.
    WebMusic(std::filesystem::path root, std::string urlBase)
        : root_(std::move(root)), urlBase_(std::move(urlBase)) {}

    // The rendering of a MIDI file, fetched from the page's folder the first time it is asked
    // for (the program waits meanwhile, the page does not); nothing when there is none.
    std::optional<std::filesystem::path> rendering(const std::filesystem::path& midiFile);

private:
    std::filesystem::path root_;
    std::string urlBase_;
};

}  // namespace velko::web
