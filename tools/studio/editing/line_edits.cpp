// Applying whole-line changes in one pass over the text.
#include "line_edits.h"

void LineEdits::Replace(int line, std::string content)
{
    changes[line].replacement = std::move(content);
}

void LineEdits::Remove(int line)
{
    changes[line].removed = true;
}

void LineEdits::InsertBefore(int line, std::string content)
{
    changes[line].before.push_back(std::move(content));
}

void LineEdits::InsertAfter(int line, std::string content)
{
    changes[line].after.push_back(std::move(content));
}

std::string LineEdits::ApplyTo(std::string_view text) const
{
    // The text's own line ending, taken from its first line: a new line gets
    // it, and so does a last line that stops being the last.
    const std::size_t firstEnd = text.find('\n');
    const bool textInCrlf = firstEnd != std::string_view::npos && firstEnd > 0 && text[firstEnd - 1] == '\r';
    struct Piece {
        std::string_view body;
        bool crlf;
    };
    std::vector<Piece> pieces;
    int number = 1;
    for (;;) {
        const std::size_t end = text.find('\n');
        const bool last = end == std::string_view::npos;
        std::string_view piece = text.substr(0, end);
        // A '\r' before a '\n' belongs to the line's ending.
        const bool crlf = last ? textInCrlf : piece.ends_with('\r');
        if (!last && crlf) piece.remove_suffix(1);
        const auto change = changes.find(number);
        if (change == changes.end()) {
            pieces.push_back({piece, crlf});
        } else {
            const LineChange& lineChange = change->second;
            for (const std::string& added : lineChange.before) pieces.push_back({added, textInCrlf});
            if (!lineChange.removed) {
                std::string_view kept = lineChange.replacement ? std::string_view(*lineChange.replacement) : piece;
                if (!last && crlf && kept.ends_with('\r')) kept.remove_suffix(1);
                pieces.push_back({kept, crlf});
            }
            for (const std::string& added : lineChange.after) pieces.push_back({added, textInCrlf});
        }
        if (last) break;
        text.remove_prefix(end + 1);
        ++number;
    }
    std::string result;
    for (std::size_t at = 0; at < pieces.size(); ++at) {
        result.append(pieces[at].body);
        if (at + 1 < pieces.size()) result.append(pieces[at].crlf ? "\r\n" : "\n");
    }
    return result;
}
