#include "game/gameplay/objects/RGPYFactory.h"

#include "tests/game/gameplay/objects/GameObjectFixture.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGPYFactory;
using Runegarden::RGPYGameObject;

TEST_F(GameObjectTest, EveryShippedObjectIsCreatedAndUpdatedOnceThroughItsScript)
{
    const std::vector<std::string> names = ShippedObjectNames();
    ASSERT_EQ(17u, names.size());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        boost::shared_ptr<RGPYGameObject> object = RGPYFactory::Create(name);
        EXPECT_EQ(name, object->GetName());
        EXPECT_NO_THROW(object->Update(0.01f, *m_World));
        EXPECT_NO_THROW(object->UpdateSpritesState(0.0, 0.0));
        EXPECT_NO_THROW(object->Render());
    }
}

} // namespace
