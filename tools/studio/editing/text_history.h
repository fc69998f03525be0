// The undo history of the studio's texts (the choreography and the markers):
// each step names the text it changed and keeps only the bytes it changed
// (one splice, from the first byte that differs to the last), so that a long
// session of small edits on a large text costs little, and undoing every step
// gives back the first texts byte for byte. There is no limit on the steps.
// Each step also carries the selection of keys before and after it, so that
// undo and redo bring back what was selected.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "key_selection.h"

// The step from `before` to `after`: at `offset`, `removed` became `inserted`.
struct TextSplice {
    std::size_t offset = 0;
    std::string removed;
    std::string inserted;
};

TextSplice SpliceBetween(std::string_view before, std::string_view after);
// The text before the splice, from the text after it, and the other way.
std::string Unsplice(std::string_view after, const TextSplice& splice);
std::string Resplice(std::string_view before, const TextSplice& splice);

// The texts a step can change.
enum class Document { Tracks, Markers };

class TextHistory {
public:
    struct Step {
        Document document;
        TextSplice splice;
        std::vector<KeyRef> selectedBefore;
        std::vector<KeyRef> selectedAfter;
    };

    // A new step after the current one; the steps undone before it are gone.
    void Record(Step step);

    // The step that undo would take back, and the one redo would take again;
    // null when there is none.
    const Step* ToUndo() const { return done > 0 ? &steps[done - 1] : nullptr; }
    const Step* ToRedo() const { return done < steps.size() ? &steps[done] : nullptr; }
    // The text now stands before ToUndo(), or after ToRedo().
    void Undone() { --done; }
    void Redone() { ++done; }

private:
    std::vector<Step> steps;
    std::size_t done = 0;  // steps[0, done) are in the text
};
