// The City tests run in one small hidden window: the graphics context that
// the shader, the Stage and the capture need. Start them under the headless
// harness where there is no display.
#include <gtest/gtest.h>
#include <raylib.h>

#include <cstdlib>
#include <memory>

#include "scoped_media.h"

namespace {

class HiddenWindow : public ::testing::Environment {
public:
    void SetUp() override
    {
        // A shader that Mesa finds in its cache is not compiled again, and
        // then the compiler has nothing to say about it.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
        SetTraceLogLevel(LOG_WARNING);
        window = std::make_unique<ScopedWindow>(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl city tests");
    }
    void TearDown() override { window.reset(); }

private:
    std::unique_ptr<ScopedWindow> window;
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new HiddenWindow);
    return RUN_ALL_TESTS();
}
