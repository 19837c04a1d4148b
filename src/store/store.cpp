#include "store/store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace velko::store {

namespace {

constexpr const char* kAppFolder = "velko01";
// Every file kept is a few kilobytes; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

std::string systemError() {
    return std::strerror(errno);
}

bool writeAll(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

Result<std::optional<std::string>> MemoryStore::read(Folder folder, const std::string& name) {
    const auto it = files_.find({folder, name});
    if (it == files_.end()) {
        return std::optional<std::string>{};
    }
    return std::optional<std::string>{it->second};
}

Status MemoryStore::write(Folder folder, const std::string& name, std::string_view text) {
    files_[{folder, name}] = std::string(text);
    return Ok{};
}

Status MemoryStore::remove(Folder folder, const std::string& name) {
    files_.erase({folder, name});
    return Ok{};
}

std::string MemoryStore::label(Folder folder, const std::string& name) const {
    return std::string(folder == Folder::Config ? "(config) " : "(state) ") + name;
}

std::optional<FolderStore> FolderStore::forUser(
    const std::function<const char*(const char*)>& env) {
    const auto base = [&](const char* variable,
                          const char* fallback) -> std::optional<std::filesystem::path> {
        if (const char* v = env(variable); v && *v && v[0] == '/') {
            return std::filesystem::path(v);
        }
        if (const char* home = env("HOME"); home && *home) {
            return std::filesystem::path(home) / fallback;
        }
        return std::nullopt;
    };
    const auto config = base("XDG_CONFIG_HOME", ".config");
    const auto state = base("XDG_STATE_HOME", ".local/state");
    if (!config || !state) {
        return std::nullopt;
    }
    return FolderStore(*config / kAppFolder, *state / kAppFolder);
}

FolderStore FolderStore::under(const std::filesystem::path& dir) {
    return FolderStore(dir / "config" / kAppFolder, dir / "state" / kAppFolder);
}

std::string FolderStore::label(Folder folder, const std::string& name) const {
    return (dir(folder) / name).string();
}

Result<std::optional<std::string>> FolderStore::read(Folder folder, const std::string& name) {
    const auto path = dir(folder) / name;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        return std::optional<std::string>{};
    }
    if (ec) {
        return makeError(path.string() + ": " + ec.message());
    }
    if (!std::filesystem::is_regular_file(status)) {
        return makeError(path.string() + ": not a file");
    }
    if (std::filesystem::file_size(path, ec) > kMaxFileBytes || ec) {
        return makeError(path.string() + ": too large to be one of ours");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return makeError(path.string() + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return makeError(path.string() + ": cannot be read");
    }
    return std::optional<std::string>{text.str()};
}

Status FolderStore::write(Folder folder, const std::string& name, std::string_view text) {
    std::error_code ec;
    std::filesystem::create_directories(dir(folder), ec);
    if (ec) {
        return makeError(dir(folder).string() + ": " + ec.message());
    }
    return writeFileAtomically(dir(folder) / name, text);
}

Status FolderStore::remove(Folder folder, const std::string& name) {
    const auto path = dir(folder) / name;
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec) {
        return makeError(path.string() + ": " + ec.message());
    }
    return Ok{};
}

Status writeFileAtomically(const std::filesystem::path& path, std::string_view text) {
    std::string temp = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return makeError(path.string() + ": cannot write a temporary file beside it (" +
                         systemError() + ")");
    }
    ::fchmod(fd, 0644);
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    const std::string why = written ? std::string() : systemError();
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return makeError(path.string() + ": " + (written ? systemError() : why));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string error = systemError();
        ::unlink(temp.c_str());
        return makeError(path.string() + ": " + error);
    }
    // The rename itself reaches the disk with the folder.
    const std::string folder = path.parent_path().empty() ? "." : path.parent_path().string();
    if (const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return Ok{};
}

std::string identityOf(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (const unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
}

}  // namespace velko::store
