#pragma once
// What the gameplay targets share: the tests' world set-up (the shipped scripts and game objects
// on the headless device, the shipped config's font, the fake clock, data/ as the working
// folder), made once for the whole run.

#include "tests/fuzz/FuzzInput.h"
#include "tests/game/gameplay/world/WorldFixture.h"

#include <string>

class FuzzWorld : public WorldTest {
public:
    static FuzzWorld& Get()
    {
        static FuzzWorld* const world = [] {
            FuzzWorld* made = new FuzzWorld;
            made->SetUp();
            // Kept on, the record of every device call would grow for the whole run.
            platform::testing::RecordRenderCalls(false);
            return made;
        }();
        return *world;
    }
    // The path of a file in the run's own folder holding these bytes.
    std::wstring Write(const std::string& name, const std::string& bytes)
    {
        tarn_test::WriteBytes(m_Dir.File(name), bytes);
        return m_Dir.WFile(name);
    }
    void TestBody() override {}
};
