#pragma once

// Small text files kept between runs. Settings go to the config folder, what belongs to one
// reading of one scenario (read lines, the place to resume) to the state folder. The program
// uses the reader's XDG folders; tools use a folder of their own or keep everything in memory.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/result.h"

namespace velko::store {

enum class Folder { Config, State };

class Store {
public:
    virtual ~Store() = default;
    // The file's text; nothing when there is no such file; an error naming it when it is there
    // but cannot be read.
    virtual Result<std::optional<std::string>> read(Folder folder, const std::string& name) = 0;
    // Replaces the file as a whole: a reader of it sees the old or the new text, never a part.
    virtual Status write(Folder folder, const std::string& name, std::string_view text) = 0;
    // A file that is not there is no error.
    virtual Status remove(Folder folder, const std::string& name) = 0;
    // True when what is written outlives the program.
    virtual bool lasting() const = 0;
    // Where the file is, for messages.
    virtual std::string label(Folder folder, const std::string& name) const = 0;
};

// Nothing outlives the run.
class MemoryStore final : public Store {
public:
    Result<std::optional<std::string>> read(Folder folder, const std::string& name) override;
    Status write(Folder folder, const std::string& name, std::string_view text) override;
    Status remove(Folder folder, const std::string& name) override;
    bool lasting() const override { return false; }
    std::string label(Folder folder, const std::string& name) const override;

private:
    std::map<std::pair<Folder, std::string>, std::string> files_;
};

// Files in two folders, made when first written to.
class FolderStore final : public Store {
public:
    FolderStore(std::filesystem::path configDir, std::filesystem::path stateDir)
        : configDir_(std::move(configDir)), stateDir_(std::move(stateDir)) {}

    // $XDG_CONFIG_HOME/velko01 and $XDG_STATE_HOME/velko01, defaulting to ~/.config and
    // ~/.local/state. `env` looks up an environment variable (nullptr when unset). Relative
    // XDG paths are ignored, as the XDG rules say. Nothing when there is no home either.
    static std::optional<FolderStore> forUser(const std::function<const char*(const char*)>& env);
    // One folder standing for both XDG homes: DIR/config/velko01 and DIR/state/velko01.
    static FolderStore under(const std::filesystem::path& dir);

    Result<std::optional<std::string>> read(Folder folder, const std::string& name) override;
    Status write(Folder folder, const std::string& name, std::string_view text) override;
    Status remove(Folder folder, const std::string& name) override;
    bool lasting() const override { return true; }
    std::string label(Folder folder, const std::string& name) const override;

    const std::filesystem::path& dir(Folder folder) const {
        return folder == Folder::Config ? configDir_ : stateDir_;
    }

private:
    std::filesystem::path configDir_;
    std::filesystem::path stateDir_;
};

// Writes a temporary file beside `path`, flushes it to the disk and renames it over `path`,
// so that a program killed at any moment leaves the old file or the new one.
Status writeFileAtomically(const std::filesystem::path& path, std::string_view text);

// A short stable name for a text (64-bit FNV-1a, 16 hex digits): the scenario's identity.
std::string identityOf(std::string_view bytes);

}  // namespace velko::store
