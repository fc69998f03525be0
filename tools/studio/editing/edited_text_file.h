// Where the key editor's edits land: the choreography file (and the markers
// file), replaced whole by each finished edit through a new file renamed
// over the old (pending_file.h), so that a crash leaves the old text or the
// new one, never a part.
//
// An edit is written only while the file still holds the text the edit was
// made on: a save from another program that the studio has not read yet is
// refused, never overwritten (and the studio reads it then). A file its owner
// made read-only is refused, and so is a folder that cannot be written, named
// as the folder. A link is written through: the new file is made in its
// target's folder and renamed over the target, and the link stays. A missing
// file is written only when asked to bring it back. Every refusal names the
// file by its label.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "edit_refusal.h"

class EditedTextFile {
public:
    EditedTextFile(std::filesystem::path path, std::string label);

    // Writes `next` in place of `previous` (none: the file must be missing,
    // and `next` brings it back); the refusal, or none when `next` is the
    // file's text now.
    std::optional<EditRefusal> Replace(std::optional<std::string_view> previous, std::string_view next) const;

private:
    std::filesystem::path path;
    std::string label;
};
