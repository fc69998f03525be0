// Whole-line changes to a text, collected and then applied together, each
// line named by its number (from 1) in the text before any of them. Every
// line that no change names is copied byte for byte, its line ending too.
//
// The text is taken as its lines joined by their endings (a text ending in
// '\n' has an empty last piece), so that a removed or added last line keeps
// the text's own choice of a final newline. Every line keeps its own ending
// ("\r\n" or "\n"); a new line, and a last line that gets an ending, take
// the text's, that of its first line. A replacement may end in the '\r' of
// the line it replaces, or not.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LineEdits {
public:
    void Replace(int line, std::string content);
    void Remove(int line);
    // A new line just before or just after `line`.
    void InsertBefore(int line, std::string content);
    void InsertAfter(int line, std::string content);

    std::string ApplyTo(std::string_view text) const;

private:
    struct LineChange {
        std::vector<std::string> before;
        std::optional<std::string> replacement;
        bool removed = false;
        std::vector<std::string> after;
    };
    std::map<int, LineChange> changes;
};
