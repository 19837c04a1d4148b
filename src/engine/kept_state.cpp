#include "engine/kept_state.h"

namespace velko::engine {

KeptState::KeptState(store::Store& store, std::string identity, Warn warn)
    : store_(store), identity_(std::move(identity)), warn_(std::move(warn)) {}

template <typename T, typename Parse>
std::optional<T> KeptState::loadFile(store::Folder folder, const std::string& name, Parse parse) {
    const auto text = store_.read(folder, name);
    if (!text) {
        warn_(text.error() + "; using the defaults");
        return std::nullopt;
    }
    if (!*text) {
        return std::nullopt;
    }
    auto parsed = parse(**text);
    if (!parsed) {
        warn_(store_.label(folder, name) + ": " + parsed.error() + "; using the defaults");
        return std::nullopt;
    }
    return std::move(parsed).value();
}

void KeptState::load() {
    if (auto s =
            loadFile<store::Settings>(store::Folder::Config, store::kSettingsFile,
                                      [](std::string_view t) { return store::parseSettings(t); })) {
        settings = *s;
    }
    if (auto r = loadFile<store::ReadLines>(
            store::Folder::State, store::readLinesFile(identity_),
            [this](std::string_view t) { return store::parseReadLines(t, identity_); })) {
        read = std::move(*r);
    }
    savedReadCount_ = read.size();
    place_ = loadFile<store::ResumePlace>(
        store::Folder::State, store::placeFile(identity_),
        [this](std::string_view t) { return store::parsePlace(t, identity_); });
}

void KeptState::write(store::Folder folder, const std::string& name, const std::string& text) {
    if (const Status s = store_.write(folder, name, text); !s) {
        warn_("cannot keep " + s.error());
    }
}

void KeptState::saveSettings() {
    write(store::Folder::Config, store::kSettingsFile, store::formatSettings(settings));
}

void KeptState::saveRead() {
    // Lines are only ever added, so an unchanged count means nothing new to write.
    if (read.size() == savedReadCount_) {
        return;
    }
    savedReadCount_ = read.size();
    write(store::Folder::State, store::readLinesFile(identity_),
          store::formatReadLines(identity_, read));
}

void KeptState::savePlace(const store::ResumePlace& place) {
    place_ = place;
    write(store::Folder::State, store::placeFile(identity_), store::formatPlace(identity_, place));
}

void KeptState::forgetPlace() {
    // Removed even when it could not be read: a damaged file would warn at every start.
    place_.reset();
    if (const Status s = store_.remove(store::Folder::State, store::placeFile(identity_)); !s) {
        warn_("cannot forget " + s.error());
    }
}

}  // namespace velko::engine
