// The keys an edit applies to: a set of keys, each named by its track's
// position in the text and its own position in that track, kept in the order
// of the text. The edit model keeps it valid across edits; the set itself
// knows nothing of tracks.
#pragma once

#include <compare>
#include <span>
#include <vector>

struct KeyRef {
    int track;  // in the order of the text's tracks
    int key;    // in the order of the track's keys

    auto operator<=>(const KeyRef&) const = default;
};

class KeySelection {
public:
    std::span<const KeyRef> Keys() const { return keys; }
    bool Empty() const { return keys.empty(); }
    bool Contains(KeyRef key) const;

    // Only `key`, or only `chosen` (in any order).
    void Set(KeyRef key) { keys = {key}; }
    void Set(std::vector<KeyRef> chosen);
    // Adds the key, or takes it out when it is in.
    void Toggle(KeyRef key);
    void Clear() { keys.clear(); }

private:
    std::vector<KeyRef> keys;  // ascending, each once
};
