// The frame log the studio's end-to-end tests read: asked for and not to be
// had, it is an error, never a silent absence.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "frame_log.h"
#include "text/quoted_text.h"

namespace {

TEST(FrameLog, OneThatCannotBeOpenedIsRefusedWithItsPathAndReason)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorl-no-such-folder";
    std::filesystem::remove_all(folder);
    const std::string path = (folder / "frames.log").string();
    try {
        FrameLog log(path.c_str());
        FAIL() << "opened " << path;
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "cannot open the frame log " + Quoted(path) + ": No such file or directory");
    }
}

TEST(FrameLog, AWriteThatFailsIsSaidOnceAndEndsTheLog)
{
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full to fill";
    FrameLog log("/dev/full");
    ::testing::internal::CaptureStderr();
    log.Frame({1.0, 2.0, 2.0, false, 1, 1});
    log.Frame({1.1, 2.0, 2.0, false, 1, 1});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "quorl-studio: cannot write the frame log '/dev/full': No space left on device; it ends here\n");
}

}  // namespace
