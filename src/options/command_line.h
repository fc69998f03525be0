// The one reader of the programs' command lines (the demo, the capture, the
// studio): options by name, each a switch alone (--windowed) or followed by
// one value (--monitor 1), in any order. What the values mean is each
// program's to read (option_values.h); this walks the words and refuses, with
// one line, what no program can use.
#pragma once

#include <map>
#include <span>
#include <string_view>

// An option a program takes.
struct OptionSpec {
    std::string_view name;
    bool takesValue;
};

// The options given, by name; a switch's value is empty.
using GivenOptions = std::map<std::string_view, std::string_view>;

// "--help" anywhere, or "-h" where no option waits for its value (there it
// is a value, a file's name for one).
bool AsksForHelp(std::span<const std::string_view> arguments, std::span<const OptionSpec> options);

// Throws UsageError for an option the program does not take ("unknown option
// '--x'"), a word where an option belongs ("unexpected argument 'x'"), an
// option without its value ("--at needs a value": none follows, or another
// option does) and an option given twice ("--at is given twice").
GivenOptions ReadOptions(std::span<const std::string_view> arguments, std::span<const OptionSpec> options);
