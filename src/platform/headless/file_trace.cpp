#include "platform/headless/file_trace.h"

#include <cerrno>
#include <cstring>

namespace velko::headless {

std::string formatTraceLine(std::uint64_t time, std::string_view kind, std::string_view details) {
    std::string line = std::to_string(time);
    line += ' ';
    line += kind;
    if (!details.empty()) {
        line += ' ';
        line += details;
    }
    return line;
}

Result<std::unique_ptr<FileTrace>> FileTrace::open(const std::filesystem::path& path,
                                                   const VirtualClock& clock) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return makeError(path.string() + ": cannot write the trace: " + std::strerror(errno));
    }
    return std::unique_ptr<FileTrace>(new FileTrace(f, clock));
}

FileTrace::~FileTrace() {
    close();
}

void FileTrace::event(std::string_view kind, std::string_view details) {
    if (!file_) {
        return;
    }
    const std::string line = formatTraceLine(clock_.now(), kind, details) + "\n";
    std::fwrite(line.data(), 1, line.size(), file_);
}

void FileTrace::close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void MemoryTrace::event(std::string_view kind, std::string_view details) {
    lines_.push_back(formatTraceLine(clock_.now(), kind, details));
}

}  // namespace velko::headless
