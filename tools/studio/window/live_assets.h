// The project's choreography text and City shader, read again whenever they
// change on disk and applied to the Stage from the next frame on: the tracks'
// keys replaced in place, the shader swapped in only when it compiles. A
// version that cannot be used (a mistake in the text, a compile error, a file
// that is missing, out of reach, empty, binary or huge) leaves the last good
// one in use and a problem to show until a good version is saved.
//
// The tracks are also the key editor's: every reading of tracks.txt goes
// through its model (key_edit_model.h), which writes its edits back into the
// file; the demo takes each edit at once (ApplyEdit), and the file watch then
// reads the studio's own write without applying it again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "file_watch.h"
#include "key_edit_model.h"
#include "stage.h"

class LiveAssets {
public:
    // Watches PROJECT/assets/tracks.txt and PROJECT/assets/city.frag, each
    // that is there now, even out of reach, to be read by the first Poll; a
    // file missing now is not watched and its built-in version stays. Says
    // once, on standard error, what is watched.
    LiveAssets(Stage& stage, const std::optional<std::filesystem::path>& project);

    // True while a watched file has changed since it was last read: Poll
    // reads it once it has settled.
    bool ChangeWaiting() const;

    // Reads and applies what changed; true when the tracks or the shader in
    // use changed. Before a new shader is compiled, `beforeCompile` is
    // called with Messages() saying so.
    bool Poll(const std::function<void()>& beforeCompile);

    // What to show, tracks first: each problem or notice as lines of text.
    std::vector<std::string> Messages() const;

    // Good versions applied so far, the first reading included.
    int TracksGeneration() const { return tracks.generation; }
    int ShaderGeneration() const { return shader.generation; }

    // The model of tracks.txt for the key editor, from its first reading on;
    // null before it and when no tracks.txt is watched, for the reason
    // WhyNoEditor gives in one line.
    KeyEditModel* Editor() { return editor ? &*editor : nullptr; }
    std::string WhyNoEditor() const;
    // Applies the model's text after an edit, as a saved text is applied.
    void ApplyEdit();

    // When the shader applied by the last Poll was saved (its modification
    // time, in WallClockNs), once; none when no new shader came.
    std::optional<std::int64_t> TakeShaderSavedAt() { return std::exchange(shaderSavedAt, std::nullopt); }

private:
    struct WatchedAsset {
        std::filesystem::path path;
        std::string label;  // as shown: assets/NAME
        bool watched = false;
        FileWatch watch;
        std::string lastApplied;    // the text in use; the same text again is not applied again
        std::string appliedNotice;  // what to show while it is in use
        std::string message;        // what is shown
        int generation = 0;
    };

    bool ReadTracks(const std::string& text);
    bool ApplyTracks(const std::string& text);
    bool ApplyShader(const std::string& text, std::int64_t savedAt, const std::function<void()>& beforeCompile);
    void Report(WatchedAsset& asset, std::string message);

    Stage& stage;
    WatchedAsset tracks;
    WatchedAsset shader;
    std::optional<KeyEditModel> editor;
    bool editWritten = false;  // the file holds an edit not yet read back
    std::optional<std::int64_t> shaderSavedAt;
    bool compiling = false;
};
