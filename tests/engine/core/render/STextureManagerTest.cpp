#include "engine/core/render/STextureManager.h"

#include "engine/core/render/dx9/SD3D9Texture.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

using SCore::STexture;
using SCore::STextureManager;
using tarn_test::ThrownText;

namespace {

boost::shared_ptr<STexture> Named(const std::string& name) { return boost::shared_ptr<STexture>(new SCore::SD3D9Texture(name)); }

} // namespace

TEST(STextureManagerTest, FindsTexturesByTheirExactName)
{
    STextureManager manager;
    EXPECT_TRUE(manager.ContainsTextureGroup("default"));
    EXPECT_EQ(0u, ThrownText([&] { manager.AddTextureGroup("default"); })
                      .find("can't add texture group, because texture group with such name is exist:[default] "
                            "STextureManager::AddTextureGroup() Src\\STextureManager at:"));
    auto first = Named("Hero");
    manager.AddTexture(first);
    EXPECT_EQ(0u, ThrownText([&] { manager.AddTexture(Named("Hero")); })
                      .find("can't add texture, because texture with such name is exist:[Hero]"));
    EXPECT_EQ(first, manager.GetTexture("Hero"));
    EXPECT_FALSE(manager.ContainsTexture("hero"));
    EXPECT_EQ(0u, ThrownText([&] { manager.GetTexture("hero"); })
                      .find("can't find texture:hero STextureManager::DoGetTexture() Src\\STextureManager at:"));
}

TEST(STextureManagerTest, ConcurrentAddsAndLookUpsSeeEveryTexture)
{
    STextureManager manager;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) {
            manager.ContainsTexture("t50");
            manager.ForEachTexture([](const boost::shared_ptr<STexture>&) {});
        }
    });
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w)
        writers.emplace_back([&, w] {
            for (int i = 0; i < 50; ++i) manager.AddTexture(Named("t" + std::to_string(w * 50 + i)));
        });
    for (auto& t : writers) t.join();
    done = true;
    reader.join();
    std::set<std::string> names;
    manager.ForEachTexture([&](const boost::shared_ptr<STexture>& t) { names.insert(t->GetName()); });
    EXPECT_EQ(200u, names.size());
}
