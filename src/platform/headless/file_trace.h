#pragma once

// trace.log of a headless run: "T KIND DETAILS", T being the virtual milliseconds since start.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/headless/virtual_clock.h"
#include "platform/trace.h"

namespace velko::headless {

class FileTrace final : public platform::Trace {
public:
    static Result<std::unique_ptr<FileTrace>> open(const std::filesystem::path& path,
                                                   const VirtualClock& clock);
    ~FileTrace() override;

    void event(std::string_view kind, std::string_view details) override;
    // After the run has ended nothing more is written.
    void close();

private:
    FileTrace(std::FILE* file, const VirtualClock& clock) : file_(file), clock_(clock) {}

    std::FILE* file_;
    const VirtualClock& clock_;
};

// A trace kept in memory, for tests.
class MemoryTrace final : public platform::Trace {
public:
    explicit MemoryTrace(const VirtualClock& clock) : clock_(clock) {}
    void event(std::string_view kind, std::string_view details) override;
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

private:
    const VirtualClock& clock_;
    std::vector<std::string> lines_;
};

std::string formatTraceLine(std::uint64_t time, std::string_view kind, std::string_view details);

}  // namespace velko::headless
