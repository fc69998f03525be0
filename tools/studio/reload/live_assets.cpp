// Reading and applying the watched assets.
#include "live_assets.h"

#include <cstdio>
#include <utility>

#include "asset_text.h"
#include "edited_text_file.h"
#include "pending_file.h"
#include "track_text_reload.h"

void SayOnStandardError(const std::string& line)
{
    std::fprintf(stderr, "quorl-studio: %s\n", line.c_str());
}

LiveAssets::LiveAssets(SyncDevice* target, std::string builtInShader,
                       const std::optional<std::filesystem::path>& project, ShaderCompiler compiler, Announce announce)
    : device(target), compile(std::move(compiler)), say(std::move(announce))
{
    tracks.label = "assets/tracks.txt";
    shader.label = "assets/city.frag";
    markers.label = "assets/markers.txt";
    // Until a file is read, the built-in shader is the one applied.
    shader.lastApplied = std::move(builtInShader);
    std::vector<std::string> unwatched;
    for (WatchedAsset* asset : {&tracks, &shader}) {
        if (project) asset->path = *project / asset->label;
        // A file out of reach is watched: why it cannot be read is shown
        // until it can.
        asset->watched = project && !ReadFileSignature(asset->path).Absent();
        if (asset->watched) {
            say("watching " + asset->path.string());
        } else {
            unwatched.push_back(asset->label);
        }
    }
    if (unwatched.size() == 2) {
        say(project ? "no " + tracks.label + " or " + shader.label + " in " + project->string() +
                          ": running on the built-in assets, nothing is watched"
                    : "no project: running on the built-in assets, nothing is watched");
    } else if (unwatched.size() == 1) {
        say("no " + (*project / unwatched[0]).string() + ": its built-in version is used, not watched");
    }
    // The markers go with the choreography; the first one makes their file.
    markers.watched = tracks.watched;
    if (markers.watched) markers.path = *project / markers.label;
    for (const WatchedAsset* asset : {&tracks, &markers}) {
        if (!asset->watched) continue;
        for (const std::filesystem::path& leftover : RemoveLeftovers(asset->path)) {
            say("removed " + leftover.string() + ", left by a write that was cut short");
        }
    }
}

bool LiveAssets::ChangeWaiting() const
{
    for (const WatchedAsset* asset : {&tracks, &shader, &markers}) {
        if (asset->watched && asset->watch.Unread(ReadFileSignature(asset->path))) return true;
    }
    return false;
}

bool LiveAssets::Poll(const std::function<void()>& beforeCompile)
{
    bool changed = false;
    for (WatchedAsset* asset : {&tracks, &shader}) {
        if (!asset->watched) continue;
        const FileSignature signature = ReadFileSignature(asset->path);
        if (!asset->watch.ShouldRead(signature, WallClockNs())) continue;
        const AssetText read = ReadAssetText(asset->path);
        if (!read.text) {
            Report(*asset, asset->label + " " + read.problem + "; the last good version stays in use");
        } else if (asset == &tracks) {
            changed = ReadTracks(*read.text) || changed;
        } else {
            changed = ApplyShader(*read.text, signature.modifiedNs, beforeCompile) || changed;
        }
    }
    if (editor && markers.watched && markers.watch.ShouldRead(ReadFileSignature(markers.path), WallClockNs())) {
        ReadMarkers();
    }
    return changed;
}

KeyEditModel::WriteBack LiveAssets::WriterOf(WatchedAsset& asset) const
{
    return [file = EditedTextFile(asset.path, asset.label), &asset](std::optional<std::string_view> previous,
                                                                   std::string_view next) {
        std::optional<EditRefusal> refusal = file.Replace(previous, next);
        // A rewrite the watch could not see: read it now.
        if (refusal && refusal->kind == Refusal::FileChanged) asset.watch.Forget();
        return refusal;
    };
}

bool LiveAssets::ReadTracks(const std::string& text)
{
    const bool ownWrite = std::exchange(editWritten, false) && text == tracks.lastApplied;
    if (!editor) {
        editor = std::make_unique<KeyEditModel>(text, tracks.label, WriterOf(tracks));
        if (markers.watched) {
            editor->AttachMarkers(std::nullopt, markers.label, WriterOf(markers));
            ReadMarkers();
        }
    } else if (editor->TakeSavedText(text) == SavedText::Ignored && ownWrite) {
        // The studio's own edit, in use since it was made.
        return false;
    }
    return ApplyTracks(text);
}

void LiveAssets::ReadMarkers()
{
    const AssetText read = ReadAssetText(markers.path);
    std::optional<std::string> text = read.text;
    // An empty file holds no markers, as a missing one does.
    if (read.empty) text.emplace();
    if (!text && !read.missing) {
        Report(markers, markers.label + " " + read.problem + "; the markers read last stay");
        return;
    }
    editor->TakeSavedMarkers(std::move(text));
    const std::optional<EditRefusal>& blocked = editor->WhyNoMarkers();
    Report(markers, blocked ? AsSentence(*blocked) : std::string());
}

bool LiveAssets::ApplyEdit()
{
    if (!editor) return false;
    // A marker's edit, a refused edit or an undone read leaves the tracks as they are.
    if (!editor->Text().empty() && editor->Text() != tracks.lastApplied) {
        if (!ApplyTracks(editor->Text())) return false;
        editWritten = true;
        return true;
    }
    return false;
}

std::string LiveAssets::WhyNoEditor() const
{
    if (!tracks.watched) return "nothing to edit: the studio runs on the built-in tracks, with no " + tracks.label;
    return "nothing to edit until " + tracks.label + " is read";
}

bool LiveAssets::ApplyTracks(const std::string& text)
{
    if (text == tracks.lastApplied) {
        ++tracks.generation;
        Report(tracks, tracks.appliedNotice);
        return false;
    }
    const TrackTextReload reload = ReloadTrackText(device, text);
    if (!reload.applied) {
        std::string problem = tracks.label + ", " + reload.problem + "\nThe last good tracks stay in use.";
        if (editor && editor->WhyNotEditable()) {
            problem += '\n';
            problem += AsSentence(*editor->WhyNotEditable());
        }
        Report(tracks, std::move(problem));
        return false;
    }
    tracks.lastApplied = text;
    ++tracks.generation;
    tracks.appliedNotice = TrackMismatchNotice(reload, tracks.label);
    Report(tracks, tracks.appliedNotice);
    if (tracks.appliedNotice.empty()) say("applied " + tracks.label);
    return true;
}

bool LiveAssets::ApplyShader(const std::string& text, std::int64_t savedAt, const std::function<void()>& beforeCompile)
{
    if (text == shader.lastApplied) {
        ++shader.generation;
        Report(shader, shader.appliedNotice);
        return false;
    }
    // A large shader can take seconds to compile, the window standing still.
    compiling = true;
    beforeCompile();
    compiling = false;
    if (const std::optional<std::string> messages = compile(text)) {
        Report(shader, shader.label + " does not compile; the last good shader draws on.\n" + *messages);
        return false;
    }
    shader.lastApplied = text;
    ++shader.generation;
    shaderSavedAt = savedAt;
    Report(shader, {});
    say("applied " + shader.label);
    return true;
}

void LiveAssets::Report(WatchedAsset& asset, std::string message)
{
    if (message == asset.message) return;
    if (!message.empty()) say(message);
    asset.message = std::move(message);
}

std::vector<std::string> LiveAssets::Messages() const
{
    std::vector<std::string> messages;
    for (const WatchedAsset* asset : {&tracks, &markers, &shader}) {
        if (asset == &shader && compiling) {
            messages.push_back("Compiling " + shader.label + "...");
        } else if (!asset->message.empty()) {
            messages.push_back(asset->message);
        }
    }
    return messages;
}
