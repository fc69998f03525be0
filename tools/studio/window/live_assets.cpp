// Reading and applying the watched assets.
#include "live_assets.h"

#include <cstdio>
#include <utility>

#include "asset_text.h"
#include "compiler_messages.h"
#include "embedded_assets.h"
#include "raylib_log.h"
#include "scenes/city_shader.h"
#include "track_text_file.h"
#include "track_text_reload.h"

namespace {

void Say(const std::string& line)
{
    std::fprintf(stderr, "quorl-studio: %s\n", line.c_str());
}

std::string Sentence(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text + ".";
}

}  // namespace

LiveAssets::LiveAssets(Stage& target, const std::optional<std::filesystem::path>& project) : stage(target)
{
    tracks.label = "assets/tracks.txt";
    shader.label = "assets/city.frag";
    // Until a file is read, the built-in shader is the one applied.
    shader.lastApplied = CITY_SHADER_SOURCE;
    std::vector<std::string> unwatched;
    for (WatchedAsset* asset : {&tracks, &shader}) {
        if (project) asset->path = *project / asset->label;
        // A file out of reach is watched: why it cannot be read is shown
        // until it can.
        asset->watched = project && !ReadFileSignature(asset->path).Absent();
        if (asset->watched) {
            Say("watching " + asset->path.string());
        } else {
            unwatched.push_back(asset->label);
        }
    }
    if (unwatched.size() == 2) {
        Say(project ? "no " + tracks.label + " or " + shader.label + " in " + project->string() +
                          ": running on the built-in assets, nothing is watched"
                    : "no project: running on the built-in assets, nothing is watched");
    } else if (unwatched.size() == 1) {
        Say("no " + (*project / unwatched[0]).string() + ": its built-in version is used, not watched");
    }
}

bool LiveAssets::ChangeWaiting() const
{
    for (const WatchedAsset* asset : {&tracks, &shader}) {
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
    return changed;
}

bool LiveAssets::ReadTracks(const std::string& text)
{
    const bool ownWrite = std::exchange(editWritten, false) && text == tracks.lastApplied;
    if (!editor) {
        const TrackTextFile file(tracks.path, tracks.label);
        const auto writeBack = [file](std::string_view previous, std::string_view next) {
            return file.Replace(previous, next);
        };
        editor.emplace(text, tracks.label, writeBack);
    } else if (editor->TakeSavedText(text) == SavedText::Ignored && ownWrite) {
        // The studio's own edit, in use since it was made.
        return false;
    }
    return ApplyTracks(text);
}

void LiveAssets::ApplyEdit()
{
    if (!editor || !ApplyTracks(editor->Text())) return;
    editWritten = true;
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
    const TrackTextReload reload = ReloadTrackText(stage.Device(), text);
    if (!reload.applied) {
        std::string problem = tracks.label + ", " + reload.problem + "\nThe last good tracks stay in use.";
        if (editor && !editor->WhyNotEditable().empty()) {
            problem += '\n';
            problem += Sentence(editor->WhyNotEditable());
        }
        Report(tracks, std::move(problem));
        return false;
    }
    tracks.lastApplied = text;
    ++tracks.generation;
    tracks.appliedNotice = TrackMismatchNotice(reload, tracks.label);
    Report(tracks, tracks.appliedNotice);
    if (tracks.appliedNotice.empty()) Say("applied " + tracks.label);
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
    LogCapture compilerLog;
    ScopedShader compiled = CompileCityShader(text.c_str());
    if (!compiled.Compiled()) {
        Report(shader, shader.label + " does not compile; the last good shader draws on.\n" +
                           CompilerMessages(compilerLog.Lines()));
        return false;
    }
    stage.UseCityShader(std::move(compiled));
    shader.lastApplied = text;
    ++shader.generation;
    shaderSavedAt = savedAt;
    Report(shader, {});
    Say("applied " + shader.label);
    return true;
}

void LiveAssets::Report(WatchedAsset& asset, std::string message)
{
    if (message == asset.message) return;
    if (!message.empty()) Say(message);
    asset.message = std::move(message);
}

std::vector<std::string> LiveAssets::Messages() const
{
    std::vector<std::string> messages;
    for (const WatchedAsset* asset : {&tracks, &shader}) {
        if (asset == &shader && compiling) {
            messages.push_back("Compiling " + shader.label + "...");
        } else if (!asset->message.empty()) {
            messages.push_back(asset->message);
        }
    }
    return messages;
}
