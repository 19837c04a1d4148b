#include "platform/fonts/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace velko::platform {

Result<MappedFile> MappedFile::open(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return makeError(path.string() + ": " + std::strerror(errno));
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        ::close(fd);
        return makeError(path.string() + ": not a readable file");
    }
    void* p = mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);  // the mapping keeps the file
    if (p == MAP_FAILED) {
        return makeError(path.string() + ": " + std::strerror(errno));
    }
    MappedFile f;
    f.data_ = static_cast<const std::uint8_t*>(p);
    f.size_ = static_cast<std::size_t>(st.st_size);
    return f;
}

MappedFile::~MappedFile() {
    if (data_) {
        munmap(const_cast<std::uint8_t*>(data_), size_);
    }
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        if (data_) {
            munmap(const_cast<std::uint8_t*>(data_), size_);
        }
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

}  // namespace velko::platform
