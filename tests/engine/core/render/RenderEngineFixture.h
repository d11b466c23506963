#pragma once
// The render tests' viewport: a 320 x 240 window under an 800 x 600 device.

#include "tests/support/HeadlessViewport.h"
#include "tests/support/ThrownText.h"

#include <string>

using tarn_test::StartsWith;
using tarn_test::ThrownText;

class RenderEngineTest : public tarn_test::HeadlessViewportTest {
protected:
    void SetUp() override
    {
        HeadlessViewportTest::SetUp();
        Open(320, 240);
    }
    void CreateDevice() { HeadlessViewportTest::CreateDevice(800, 600); }
};
