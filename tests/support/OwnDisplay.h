#pragma once
// An X display of the test process's own: an Xvfb server started at the first call, named in
// DISPLAY and ended with the process. Tests that draw or take input through a real window run on
// it, so that windows of tests running beside them cannot take their focus, and a shared server
// that resets when its last client leaves cannot refuse their connection. Call it before the
// layer first opens video: platform::sdl::VideoAvailable keeps its first answer.

#include <gtest/gtest.h>

namespace tarn_test {

// Success once the server runs and the layer has opened video on it; otherwise why not, so that a
// test that needs a display fails rather than passing over its subject. Main thread.
::testing::AssertionResult OwnDisplay();

} // namespace tarn_test
