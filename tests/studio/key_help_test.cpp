// The F1 help's table against the key maps it describes, and the README's
// list of the studio's keys against the table.
#include <gtest/gtest.h>
#include <raylib.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "edit_keys.h"
#include "key_help.h"
#include "transport_keys.h"
#include "view_keys.h"

namespace {

// raylib's own key, which the studio leaves to it.
constexpr int kScreenshotKey = KEY_F12;

// What a chord does, in each of the key maps.
struct Actions {
    std::optional<EditAction> edit;
    std::optional<TransportAction> transport;
    std::optional<ViewCommand> view;
    bool screenshot;

    bool operator==(const Actions&) const = default;
    bool Any() const { return edit || transport || view || screenshot; }
};

Actions ActionsOf(int key, KeyModifiers modifiers)
{
    return {EditActionForKey(key, modifiers, false), TransportActionForKey(key, modifiers, false),
            ViewCommandForKey(key, modifiers, false), key == kScreenshotKey && !modifiers.control};
}

bool HasAction(int key, KeyModifiers modifiers)
{
    return ActionsOf(key, modifiers).Any();
}

// A modifier that changes nothing: the chord does what it does without it.
bool ModifierIgnored(int key, KeyModifiers modifiers)
{
    const Actions actions = ActionsOf(key, modifiers);
    const auto same = [&](KeyModifiers fewer) { return ActionsOf(key, fewer) == actions; };
    return (modifiers.shift && same({false, modifiers.control})) || (modifiers.control && same({modifiers.shift, false}));
}

bool Listed(int key, KeyModifiers modifiers)
{
    for (const KeyHelpGroup& group : StudioKeyHelp()) {
        for (const KeyHelpRow& row : group.rows) {
            for (const KeyChord& chord : row.chords) {
                if (chord.key == key && chord.modifiers.shift == modifiers.shift &&
                    chord.modifiers.control == modifiers.control) {
                    return true;
                }
            }
        }
    }
    return false;
}

TEST(KeyHelp, EveryKeyThatDoesSomethingIsListedAndEveryListedKeyDoesSomething)
{
    for (int key = 1; key < 400; ++key) {
        for (const KeyModifiers modifiers : {KeyModifiers{}, KeyModifiers{true, false}, KeyModifiers{false, true},
                                             KeyModifiers{true, true}}) {
            if (!HasAction(key, modifiers) || ModifierIgnored(key, modifiers)) continue;
            EXPECT_TRUE(Listed(key, modifiers)) << "key " << key << (modifiers.shift ? " with Shift" : "")
                                                << (modifiers.control ? " with Control" : "");
        }
    }
    for (const KeyHelpGroup& group : StudioKeyHelp()) {
        for (const KeyHelpRow& row : group.rows) {
            for (const KeyChord& chord : row.chords) {
                if (chord.key != 0) {
                    EXPECT_TRUE(HasAction(chord.key, chord.modifiers)) << row.keys;
                }
            }
        }
    }
}

TEST(KeyHelp, TheReadmeListsTheStudiosKeysFromTheTable)
{
    std::ifstream file(QUORL_README);
    const std::string readme{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string start = "<!-- The studio's keys, from tools/studio/session/key_help.cpp -->\n";
    const std::string end = "<!-- The end of the studio's keys -->";
    const std::size_t from = readme.find(start);
    ASSERT_NE(from, std::string::npos) << "no list of the studio's keys in the README";
    const std::size_t to = readme.find(end, from);
    ASSERT_NE(to, std::string::npos);
    std::string expected(1, '\n');
    expected.append(KeyHelpMarkdown()).push_back('\n');
    EXPECT_EQ(readme.substr(from + start.size(), to - from - start.size()), expected)
        << "the README's list should read:\n\n" << KeyHelpMarkdown();
}

}  // namespace
