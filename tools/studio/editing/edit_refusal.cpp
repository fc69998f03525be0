// The wording of the key editor's refusals.
#include "edit_refusal.h"

#include <cstdio>

#include "text/quoted_text.h"

namespace {

std::string Row(std::int64_t row)
{
    return "row " + std::to_string(row);
}

// "'ftb': the key at row 16"
std::string KeyOf(const EditRefusal& refusal)
{
    return Quoted(refusal.track) + ": the key at " + Row(refusal.row);
}

std::string NotWritten(const std::string& why)
{
    return "the edit is not written: " + why;
}

}  // namespace

std::string Worded(const EditRefusal& refusal)
{
    const std::string number = std::to_string(refusal.number);
    switch (refusal.kind) {
    case Refusal::NothingToEdit:
        return refusal.detail;
    case Refusal::TextInError:
        return "editing waits until line " + number + " of " + refusal.label + " is fixed";
    case Refusal::EditLeavesLineWrong:
        return "the edit would leave line " + number + " wrong: " + refusal.detail;
    case Refusal::NoKeySelected:
        return "no key selected";
    case Refusal::NoCurrentLane:
        return "no current lane: click a lane first";
    case Refusal::TrackNotInText:
        return Quoted(refusal.track) + " is not in the text being edited";
    case Refusal::NoSuchTrack:
        return "no track " + number;
    case Refusal::NoKeyBefore:
        return Quoted(refusal.track) + " has no key before the playhead";
    case Refusal::NoKeyAfter:
        return Quoted(refusal.track) + " has no key after the playhead";
    case Refusal::NothingToUndo:
        return "nothing to undo";
    case Refusal::NothingToRedo:
        return "nothing to redo";
    case Refusal::RowBelowZero:
        return "no key can stand before row 0";
    case Refusal::KeyAlreadyThere:
        return Quoted(refusal.track) + " has a key at " + Row(refusal.row) + " already";
    case Refusal::TrackFull:
        return Quoted(refusal.track) + " has " + number + " keys, the most a track holds";
    case Refusal::NoSuchKeyType:
        return "key type " + number + " does not exist";
    case Refusal::NotAFloat:
        return "value " + refusal.detail + " is not a 32-bit float";
    case Refusal::ValueUnreadable:
        return refusal.detail;
    case Refusal::ValueTooLong:
        return "a value is at most " + number + " characters long";
    case Refusal::ValuePastLargest:
        return Quoted(refusal.track) + ": the value at " + Row(refusal.row) + " would pass the largest 32-bit float";
    case Refusal::DifferenceOverflows:
        return Quoted(refusal.track) + ": the keys at rows " + std::to_string(refusal.row) + " and " +
               std::to_string(refusal.otherRow) + " would differ by more than the largest 32-bit float";
    case Refusal::MoveBelowRowZero:
        return KeyOf(refusal) + " would go below row 0";
    case Refusal::MovePastLastRow:
        return KeyOf(refusal) + " would go past the last row";
    case Refusal::MoveLandsOnKey:
        return KeyOf(refusal) + " would land on the key at " + Row(refusal.otherRow);
    case Refusal::MovePassesKey:
        return KeyOf(refusal) + " would pass the key at " + Row(refusal.otherRow);
    case Refusal::PastDemoEnd:
        return KeyOf(refusal) + " would reach the demo's end at " + Row(refusal.otherRow);
    case Refusal::NoTimeToRemove:
        return "no time to remove: the demo ends at " + Row(refusal.row);
    case Refusal::NothingCopied:
        return "nothing to paste: copy keys first";
    case Refusal::ClipboardHoldsNoKeys:
        return "the clipboard holds no keys of tracks.txt (" + refusal.detail + ")";
    case Refusal::MarkersInError:
        return "markers wait until line " + number + " of " + refusal.label + " is fixed";
    case Refusal::NoMarkerSelected:
        return "no marker selected";
    case Refusal::MarkerAlreadyThere:
        return "a marker stands at " + Row(refusal.row) + " already: click its name to rename it";
    case Refusal::MarkerNameEmpty:
        return "a marker needs a name";
    case Refusal::MarkerNameTooLong:
        return "a marker's name is at most " + number + " bytes long";
    case Refusal::MarkerNameNotText:
        return "a marker's name is one line of text";
    case Refusal::NoMarkerBefore:
        return "no marker before the playhead";
    case Refusal::NoMarkerAfter:
        return "no marker after the playhead";
    case Refusal::FileChanged:
        return NotWritten(refusal.label + " was saved by another program meanwhile; it is read now: edit again");
    case Refusal::FileMissing:
        return NotWritten(refusal.label + " is missing; Ctrl+S writes the studio's text back");
    case Refusal::FileNotMissing:
        return refusal.label + " is there: only a missing file is written back whole";
    case Refusal::FileReadOnly:
        return NotWritten(refusal.label + " is read-only; make it writable to edit it");
    case Refusal::FolderNotWritable:
        return NotWritten("the folder " + Quoted(refusal.detail) + " cannot be written: " + refusal.reason);
    case Refusal::FileTooLarge:
        return NotWritten(refusal.label + " would be larger than the " + number + " bytes the studio reads");
    case Refusal::FileUnreadable:
        return NotWritten(refusal.label + " " + refusal.reason);
    case Refusal::WriteFailed:
        return NotWritten(refusal.reason);
    }
    return {};
}

std::string Worded(const std::optional<EditRefusal>& refusal)
{
    return refusal ? Worded(*refusal) : std::string();
}

std::string AsSentence(const EditRefusal& refusal)
{
    std::string text = Worded(refusal);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text + ".";
}

std::string ShownNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}
