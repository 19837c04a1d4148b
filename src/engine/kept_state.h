#pragma once

// What the engine keeps between runs, read once at start-up: the settings, the lines read in
// the scenario, and the place to resume. A file that is missing gives the defaults; one that
// cannot be read, is damaged or belongs to another scenario gives one warning naming it and
// the defaults. A write that fails is reported the same way; the reading goes on.

#include <functional>
#include <optional>
#include <string>

#include "store/kept_files.h"
#include "store/store.h"

namespace velko::engine {

class KeptState {
public:
    using Warn = std::function<void(const std::string&)>;

    KeptState(store::Store& store, std::string identity, Warn warn);

    void load();

    store::Settings settings;
    store::ReadLines read;

    bool lasting() const { return store_.lasting(); }

    void saveSettings();
    void saveRead();
    // The place remembered at the last leaving, or nothing.
    const std::optional<store::ResumePlace>& place() const { return place_; }
    void savePlace(const store::ResumePlace& place);
    void forgetPlace();

private:
    template <typename T, typename Parse>
    std::optional<T> loadFile(store::Folder folder, const std::string& name, Parse parse);
    void write(store::Folder folder, const std::string& name, const std::string& text);

    store::Store& store_;
    std::string identity_;
    Warn warn_;
    std::optional<store::ResumePlace> place_;
    std::size_t savedReadCount_ = 0;
};

}  // namespace velko::engine
