#pragma once

// A file mapped read-only into memory: a face file of several megabytes costs only the pages
// that the glyphs in use touch, and those are shared with the page cache instead of copied.

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "base/result.h"

namespace velko::platform {

class MappedFile {
public:
    MappedFile() = default;
    static Result<MappedFile> open(const std::filesystem::path& path);
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace velko::platform
