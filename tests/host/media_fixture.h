// One small hidden window and a sound device for a whole test program: what
// the host's code needs around it (a graphics context, a playing device).
#pragma once

#include <gtest/gtest.h>
#include <raylib.h>

#include <memory>

#include "scoped_media.h"

class MediaEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        SetTraceLogLevel(LOG_WARNING);
        window = std::make_unique<ScopedWindow>(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl host tests");
        audio = std::make_unique<ScopedAudioDevice>();
    }
    void TearDown() override
    {
        audio.reset();
        window.reset();
    }

private:
    std::unique_ptr<ScopedWindow> window;
    std::unique_ptr<ScopedAudioDevice> audio;
};
