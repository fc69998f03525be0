// A failed start in the library's words: the line for each acquisition that
// can fail, the shader's from its compiler's own messages (raylib's or any
// other compile path's), and the log capture that gathers what raylib said.
#include <gtest/gtest.h>
#include <raylib.h>

#include <string>
#include <vector>

#include "raylib_log.h"
#include "startup_failure.h"

namespace {

using Log = std::vector<std::string>;

TEST(ShaderFailureLine, SaysTheStepAndTheInfoLogsFirstMessage)
{
    const struct {
        ShaderStep step;
        const char* infoLog;
        const char* line;
    } cases[] = {
        {ShaderStep::Compile, "0:12(5): error: `colour' undeclared\n0:13(1): error: syntax error\n",
         "the demo's shader does not compile: 0:12(5): error: `colour' undeclared"},
        // ANGLE's log (the page), with Windows' line ends and a blank start.
        {ShaderStep::Compile, "\r\nERROR: 0:3: 'x' : undeclared identifier\r\nERROR: 1 compilation errors\r\n",
         "the demo's shader does not compile: ERROR: 0:3: 'x' : undeclared identifier"},
        {ShaderStep::Link, "error: fragment shader lacks `main'",
         "the demo's shader does not link: error: fragment shader lacks `main'"},
        {ShaderStep::Compile, " \n", "the demo's shader does not compile"},
        {ShaderStep::Link, "", "the demo's shader does not link"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShaderFailureLine(c.step, c.infoLog), c.line) << c.infoLog;
}

TEST(ShaderFailureLine, ReadsTheStepAndTheMessagesOutOfRaylibsLog)
{
    EXPECT_EQ(ShaderFailureLine(Log{"SHADER: [ID 4] Failed to compile fragment shader code",
                                    "SHADER: [ID 4] Compile error: 0:1(10): error: GLSL 3.30 is not supported\n"}),
              "the demo's shader does not compile: 0:1(10): error: GLSL 3.30 is not supported");
    EXPECT_EQ(ShaderFailureLine(Log{"SHADER: [ID 7] Failed to link shader program",
                                    "SHADER: [ID 7] Link error: error: too many uniforms\n"}),
              "the demo's shader does not link: error: too many uniforms");
}

TEST(WindowFailureLine, GivesGlfwsReasonAndNamesAMissingOpenGl33)
{
    EXPECT_EQ(WindowFailureLine(Log{"GLFW: Error: 65550 Description: X11: The DISPLAY environment variable is missing",
                                    "GLFW: Failed to initialize GLFW"}),
              "cannot open a window: X11: The DISPLAY environment variable is missing");
    EXPECT_EQ(WindowFailureLine(Log{"GLFW: Error: 65543 Description: GLX: Failed to create context: GLXBadFBConfig"}),
              "cannot open a window: the graphics driver has no OpenGL 3.3 (GLX: Failed to create context: "
              "GLXBadFBConfig)");
    EXPECT_EQ(WindowFailureLine({}), "cannot open a window (is there a display with OpenGL 3.3?)");
}

TEST(SoundDeviceFailureLine, GivesRaylibsReason)
{
    EXPECT_EQ(SoundDeviceFailureLine(Log{"AUDIO: Failed to initialize playback device"}),
              "cannot open the sound device: Failed to initialize playback device");
    EXPECT_EQ(SoundDeviceFailureLine({}), "cannot open the sound device");
}

// An outer capture stands for whoever would get the lines without the inner one.
TEST(LogCapture, AnEchoingCaptureKeepsWarningsAndLetsEverythingThrough)
{
    LogCapture outer;
    {
        LogCapture echoing(LogEcho::On);
        TraceLog(LOG_WARNING, "GLFW: Error: %d", 65543);
        TraceLog(LOG_INFO, "DISPLAY: fine");
        EXPECT_EQ(echoing.Lines(), Log{"GLFW: Error: 65543"}) << "information never says why something failed";
    }
    EXPECT_EQ(outer.Lines(), Log{"GLFW: Error: 65543"});
}

TEST(LogCapture, ASilentCaptureHoldsWarningsUntilPassedOn)
{
    LogCapture outer;
    {
        LogCapture silent;
        TraceLog(LOG_ERROR, "held");
        EXPECT_TRUE(outer.Lines().empty());
        silent.PassOn();
        EXPECT_TRUE(silent.Lines().empty());
    }
    EXPECT_EQ(outer.Lines(), Log{"held"});
}

}  // namespace
