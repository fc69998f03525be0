// The project's choreography text, City shader and markers, read again
// whenever they change on disk and applied from the next frame on: the
// tracks' keys replaced in place in the sync device, the shader swapped in
// only when it compiles (the compile is the window's, a callback). A version
// that cannot be used (a mistake in the text, a compile error, a file that is
// missing, out of reach, empty, binary or huge) leaves the last good one in
// use and a problem to show until a good version is saved. What is read and
// applied is also said, a line each, through `say` (standard error).
//
// The tracks and the markers are also the key editor's: every reading goes
// through its model (key_edit_model.h), which writes its edits back into the
// files; the demo takes each edit at once (ApplyEdit), and the file watch then
// reads the studio's own write without applying it again. An edit refused
// because the file was rewritten without the watch seeing it (same size and
// time) has the file read again.
//
// At its start it removes what a write of tracks.txt or markers.txt that was
// killed left (their .partial files), and says so.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "file_watch.h"
#include "key_edit_model.h"
#include "sync/sync_device.h"

// The compiler's messages when the shader does not compile; none when it
// compiled and is in use.
using ShaderCompiler = std::function<std::optional<std::string>(const std::string& source)>;
using Announce = std::function<void(const std::string& line)>;

// "quorl-studio: LINE" on standard error.
void SayOnStandardError(const std::string& line);

class LiveAssets {
public:
    // Watches PROJECT/assets/tracks.txt and PROJECT/assets/city.frag, each
    // that is there now, even out of reach, to be read by the first Poll; a
    // file missing now is not watched and its built-in version stays
    // (`builtInShader` the shader's). PROJECT/assets/markers.txt is watched
    // with tracks.txt, there or not. Says once what is watched.
    LiveAssets(SyncDevice* device, std::string builtInShader, const std::optional<std::filesystem::path>& project,
               ShaderCompiler compile, Announce say = SayOnStandardError);
    // The editor's writers refer to the watched files in place.
    LiveAssets(const LiveAssets&) = delete;
    LiveAssets& operator=(const LiveAssets&) = delete;

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
    KeyEditModel* Editor() { return editor.get(); }
    std::string WhyNoEditor() const;
    // Applies the model's text after an edit, as a saved text is applied;
    // true when the tracks in use changed.
    bool ApplyEdit();

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
    void ReadMarkers();
    bool ApplyTracks(const std::string& text);
    bool ApplyShader(const std::string& text, std::int64_t savedAt, const std::function<void()>& beforeCompile);
    void Report(WatchedAsset& asset, std::string message);
    KeyEditModel::WriteBack WriterOf(WatchedAsset& asset) const;

    SyncDevice* device;
    ShaderCompiler compile;
    Announce say;
    WatchedAsset tracks;
    WatchedAsset shader;
    WatchedAsset markers;
    std::unique_ptr<KeyEditModel> editor;
    bool editWritten = false;  // the file holds an edit not yet read back
    std::optional<std::int64_t> shaderSavedAt;
    bool compiling = false;
};
