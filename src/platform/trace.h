#pragma once

#include <string_view>

namespace velko::platform {

// The record of what the program did, one line an event ("T KIND DETAILS"). The headless
// runner writes it to trace.log; the real program keeps none.
class Trace {
public:
    virtual ~Trace() = default;
    virtual void event(std::string_view kind, std::string_view details = {}) = 0;
};

class NullTrace final : public Trace {
public:
    void event(std::string_view, std::string_view) override {}
};

}  // namespace velko::platform
