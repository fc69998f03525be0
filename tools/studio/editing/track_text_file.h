// Where the key editor's edits land: the choreography file, replaced whole by
// each finished edit through a new file renamed over the old (pending_file.h),
// so that a crash leaves the old text or the new one, never a part.
//
// An edit is written only while the file still holds the text the edit was
// made on: a save from another program that the studio has not read yet is
// refused, never overwritten. Every problem is one line naming the file by
// its label.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class TrackTextFile {
public:
    TrackTextFile(std::filesystem::path path, std::string label);

    // Writes `next` in place of `previous`; the problem, or empty when
    // `next` is the file's text now.
    std::string Replace(std::string_view previous, std::string_view next) const;

private:
    std::filesystem::path path;
    std::string label;
};
