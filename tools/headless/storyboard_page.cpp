// The storyboard's page: the frames of each path in reading order, then the lines no path
// reached. Plain HTML and CSS, no script, so that any browser shows it from the disk.

#include <string>

#include "storyboard.h"

namespace velko::headless {
namespace {

std::string escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

constexpr const char* kStyle = R"(
body { font-family: sans-serif; background: #1e1e22; color: #e8e8e8; margin: 24px; }
h1 { font-size: 22px; margin: 0 0 8px; }
h2 { font-size: 18px; margin: 32px 0 4px; border-bottom: 1px solid #555; }
.summary, .route, .ending { color: #b8b8c0; margin: 4px 0; }
.route li { margin: 2px 0; }
.frames { display: flex; flex-wrap: wrap; gap: 14px; margin-top: 12px; }
figure { margin: 0; width: 320px; background: #2c2c32; padding: 6px; border-radius: 4px; }
figure img { width: 320px; height: 240px; display: block; image-rendering: pixelated; }
figcaption { font-size: 13px; margin-top: 6px; }
.line { color: #8cc8ff; font-weight: bold; }
.points { color: #b8b8c0; float: right; }
.text { white-space: pre-wrap; margin-top: 4px; }
.unreached li { font-family: monospace; }
)";

}  // namespace

std::string storyboardHtml(const Storyboard& board) {
    std::string h;
    h += "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    h += "<title>Storyboard: " + escape(board.scriptName) + "</title>\n";
    h += "<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
    h += "<h1>Storyboard: " + escape(board.scriptName) + "</h1>\n";
    h += "<p class=\"summary\">" + std::to_string(board.paths.size()) + " paths, " +
         std::to_string(board.frames()) + " frames. " +
         (board.unreached.empty() ? std::string("Every line was reached.")
                                  : "Some lines were not reached: see the end of the page.") +
         "</p>\n";
    for (std::size_t i = 0; i < board.paths.size(); ++i) {
        const StoryPath& path = board.paths[i];
        const std::string id = "path-" + std::to_string(i + 1);
        h += "<section class=\"path\" id=\"" + id + "\">\n";
        h += "<h2>Path " + std::to_string(i + 1) + "</h2>\n";
        if (path.choices.empty()) {
            h += "<p class=\"route\">From the start, no choice made.</p>\n";
        } else {
            h += "<ol class=\"route\">\n";
            for (const auto& choice : path.choices) {
                h += "<li>" + escape(choice) + "</li>\n";
            }
            h += "</ol>\n";
        }
        h += "<div class=\"frames\">\n";
        for (const StoryFrame& f : path.frames) {
            h += "<figure class=\"frame\" data-line=\"" + std::to_string(f.line) + "\">";
            h += "<a href=\"" + escape(f.image) + "\"><img src=\"" + escape(f.image) +
                 "\" width=\"320\" height=\"240\" alt=\"line " + std::to_string(f.line) + "\"></a>";
            h += "<figcaption><span class=\"line\">line " + std::to_string(f.line) +
                 "</span><span class=\"points\">" + std::to_string(f.points) +
                 (f.points == 1 || f.points == -1 ? " point" : " points") +
                 "</span><div class=\"text\">" + escape(f.text) + "</div></figcaption></figure>\n";
        }
        h += "</div>\n";
        h += "<p class=\"ending\">The path ends: " + escape(path.ending) + ".</p>\n";
        h += "</section>\n";
    }
    h += "<section id=\"unreached\">\n<h2>Lines no path reached</h2>\n";
    if (board.unreached.empty()) {
        h += "<p>None.</p>\n";
    } else {
        h += "<ul class=\"unreached\">\n";
        for (const auto& [first, last] : board.unreached) {
            h +=
                "<li>" +
                (first == last ? "line " + std::to_string(first)
                               : "lines " + std::to_string(first) + " to " + std::to_string(last)) +
                "</li>\n";
        }
        h += "</ul>\n";
    }
    h += "</section>\n</body>\n</html>\n";
    return h;
}

}  // namespace velko::headless
