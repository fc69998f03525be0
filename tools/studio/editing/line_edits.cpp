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
    std::string result;
    result.reserve(text.size() + 256);
    bool first = true;
    const auto emit = [&](std::string_view piece) {
        if (!first) result.push_back('\n');
        result.append(piece);
        first = false;
    };
    int number = 1;
    for (;;) {
        const std::size_t end = text.find('\n');
        const std::string_view piece = text.substr(0, end);
        const auto change = changes.find(number);
        if (change == changes.end()) {
            emit(piece);
        } else {
            const LineChange& lineChange = change->second;
            for (const std::string& added : lineChange.before) emit(added);
            if (!lineChange.removed) emit(lineChange.replacement ? std::string_view(*lineChange.replacement) : piece);
            for (const std::string& added : lineChange.after) emit(added);
        }
        if (end == std::string_view::npos) return result;
        text.remove_prefix(end + 1);
        ++number;
    }
}
