#include "sound_source.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace velko::musicgen {
namespace {

std::optional<double> parseNumber(std::string_view s) {
    double v = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

struct Word {
    std::string_view text;
    int col;
};

std::vector<Word> splitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            ++i;
        }
        if (i > start) {
            words.push_back({line.substr(start, i - start), static_cast<int>(start) + 1});
        }
    }
    return words;
}

// Keeps the rendering time of any source to seconds.
constexpr std::size_t kMaxTones = 256;

std::string shortNumber(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

struct Range {
    double lo;
    double hi;
};

}  // namespace

Result<SoundSource> parseSoundSource(std::string_view text, const std::string& file) {
    SoundSource out;
    int lineNo = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (const auto semi = line.find(';'); semi != std::string_view::npos) {
            line = line.substr(0, semi);
        }
        const auto words = splitWords(line);
        if (words.empty()) {
            continue;
        }
        auto at = [&](int col, const std::string& message) {
            return makeError(file + ":" + std::to_string(lineNo) + ":" + std::to_string(col) +
                             ": " + message);
        };
        // Reads the value of a tone's key or of a header setting, inside [lo, hi].
        auto number = [&](const Word& w, std::string_view name, std::string_view s, Range r,
                          double& into) -> std::optional<Error> {
            const auto v = parseNumber(s);
            if (!v || *v < r.lo || *v > r.hi) {
                return at(w.col, "'" + std::string(name) + "' takes a number from " +
                                     shortNumber(r.lo) + " to " + shortNumber(r.hi) + ", not '" +
                                     std::string(s) + "'");
            }
            into = *v;
            return std::nullopt;
        };
        const std::string_view key = words[0].text;
        if (key == "tone") {
            Tone tone;
            struct Field {
                std::string_view name;
                double* into;
                Range range;
            };
            const Field fields[] = {
                {"at", &tone.at, {0, 60}},
                {"freq", &tone.freq, {1, 20000}},
                {"amp", &tone.amp, {0, 10}},
                {"attack", &tone.attack, {0, 10}},
                {"decay", &tone.decay, {0.001, 60}},
                {"fm_ratio", &tone.fmRatio, {0, 32}},
                {"fm_index", &tone.fmIndex, {0, 50}},
                {"fm_decay", &tone.fmDecay, {0, 60}},
                {"pan", &tone.pan, {-1, 1}},
                {"detune", &tone.detune, {-100, 100}},
            };
            for (std::size_t i = 1; i < words.size(); ++i) {
                const Word& w = words[i];
                const auto eq = w.text.find('=');
                const std::string_view name = w.text.substr(0, eq);
                const Field* field = nullptr;
                for (const Field& f : fields) {
                    if (f.name == name) {
                        field = &f;
                    }
                }
                if (eq == std::string_view::npos || field == nullptr) {
                    return at(w.col, "unknown tone setting '" + std::string(w.text) + "'");
                }
                if (auto e = number(w, name, w.text.substr(eq + 1), field->range, *field->into)) {
                    return *e;
                }
            }
            if (out.tones.size() >= kMaxTones) {
                return at(words[0].col, "more than " + std::to_string(kMaxTones) + " tones");
            }
            out.tones.push_back(tone);
            continue;
        }
        if (words.size() != 2) {
            return at(words[0].col, "expected 'tone ...' or a setting and one value");
        }
        double v = 0;
        const Word& w = words[1];
        std::optional<Error> e;
        if (key == "rate") {
            e = number(w, key, w.text, {8000, 96000}, v);
            out.rate = static_cast<int>(v);
            if (!e && out.rate != 22050 && out.rate != 44100) {
                return at(w.col, "rate is 22050 or 44100");
            }
        } else if (key == "channels") {
            e = number(w, key, w.text, {1, 2}, v);
            out.channels = static_cast<int>(v);
            if (!e && v != 1 && v != 2) {
                return at(w.col, "channels is 1 or 2");
            }
        } else if (key == "seconds") {
            e = number(w, key, w.text, {0.01, 60}, out.seconds);
        } else if (key == "peak") {
            e = number(w, key, w.text, {0.01, 1}, out.peak);
        } else {
            return at(words[0].col, "unknown setting '" + std::string(key) + "'");
        }
        if (e) {
            return *e;
        }
    }
    if (out.tones.empty()) {
        return makeError(file + ": no tones");
    }
    return out;
}

}  // namespace velko::musicgen
