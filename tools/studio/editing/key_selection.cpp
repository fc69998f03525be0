// The set of selected keys, kept sorted.
#include "key_selection.h"

#include <algorithm>

bool KeySelection::Contains(KeyRef key) const
{
    return std::binary_search(keys.begin(), keys.end(), key);
}

void KeySelection::Set(std::vector<KeyRef> chosen)
{
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    keys = std::move(chosen);
}

void KeySelection::Toggle(KeyRef key)
{
    const auto place = std::lower_bound(keys.begin(), keys.end(), key);
    if (place != keys.end() && *place == key) {
        keys.erase(place);
    } else {
        keys.insert(place, key);
    }
}
