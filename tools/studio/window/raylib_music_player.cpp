// raylib's music stream behind the transport.
#include "raylib_music_player.h"

#include "music_format.h"

MusicStreamBuffering::MusicStreamBuffering()
{
    // In frames of the music.
    SetAudioStreamBufferSizeDefault(static_cast<int>(kMusicBufferSeconds * kMusicSampleRate));
}

RaylibMusicPlayer::RaylibMusicPlayer(const ScopedMusic& scoped) : music(scoped.Get())
{
    // raylib reads looping from the copy handed to each call.
    music.looping = false;
    PlayMusicStream(music);
    PauseMusicStream(music);
}

void RaylibMusicPlayer::Play()
{
    Revive();
    ResumeMusicStream(music);
    running = true;
}

void RaylibMusicPlayer::Pause()
{
    PauseMusicStream(music);
    running = false;
}

void RaylibMusicPlayer::Seek(double seconds)
{
    Revive();
    SeekMusicStream(music, static_cast<float>(seconds));
    // Refilled at once, so that the position reads the new place before the
    // mixer has played any of it.
    UpdateMusicStream(music);
}

void RaylibMusicPlayer::Feed()
{
    UpdateMusicStream(music);
    ended = ended || (running && !IsMusicStreamPlaying(music));
}

double RaylibMusicPlayer::Position() const
{
    return ended ? Length() : GetMusicTimePlayed(music);
}

double RaylibMusicPlayer::Length() const
{
    return GetMusicTimeLength(music);
}

void RaylibMusicPlayer::Revive()
{
    if (!ended) return;
    ended = false;
    PlayMusicStream(music);
    if (!running) PauseMusicStream(music);
}
