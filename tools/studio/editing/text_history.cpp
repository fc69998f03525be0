// Splices between texts and the list of steps.
#include "text_history.h"

#include <algorithm>

TextSplice SpliceBetween(std::string_view before, std::string_view after)
{
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    return {head, std::string(before.substr(head, before.size() - head - tail)),
            std::string(after.substr(head, after.size() - head - tail))};
}

std::string Unsplice(std::string_view after, const TextSplice& splice)
{
    std::string before(after);
    before.replace(splice.offset, splice.inserted.size(), splice.removed);
    return before;
}

std::string Resplice(std::string_view before, const TextSplice& splice)
{
    std::string after(before);
    after.replace(splice.offset, splice.removed.size(), splice.inserted);
    return after;
}

void TextHistory::Record(Step step)
{
    steps.resize(done);
    steps.push_back(std::move(step));
    done = steps.size();
}
