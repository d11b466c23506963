#pragma once
// Turns game-object names into script-driven game objects. Process-wide: the table of object names
// and their definition files, the one interpreter with the module "rgpy_factory", the module
// functions the factory calls itself, and the property keys every script call uses.
// Initialised lazily on first use; all of it lives until the program's end releases it.

#include "game/gameplay/scripting/RGPythonHandle.h"
#include "game/gameplay/scripting/RGPythonResult.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace Runegarden {

class RGPythonInterpreter;
class RGPythonObject;
class RGPYGameObject;

// The property keys, in the order the factory makes them.
enum RGPropertyKey {
    RGPK_POSX, RGPK_POSY, RGPK_STATE, RGPK_IS_ENABLE, RGPK_GRAVITY_ACTION, RGPK_X, RGPK_Y, RGPK_W, RGPK_H,
    RGPK_VEL_X, RGPK_VEL_Y, RGPK_MASS, RGPK_WIDTH, RGPK_HEIGHT, RGPK_TEX_X, RGPK_TEX_Y, RGPK_TEX_W, RGPK_TEX_H,
    RGPK_GAME_OBJECT_TYPE, RGPK_IS_STATIC, RGPK_ANIM_OFFSET, RGPK_FRC_X, RGPK_FRC_Y, RGPK_ENABLE, RGPK_FLIP_H,
    RGPK_FLIP_V, RGPK_ANIM_INV, RGPK_IS_ACTOR, RGPK_IS_PORTAL, RGPK_IS_MONSTR,
    RGPK_COUNT
};

class RGPYFactory {
public:
    // The interpreter holding "rgpy_factory" (initialising the factory first).
    static boost::shared_ptr<RGPythonInterpreter> GetModule();

    // Reads the list file ("world" with "directory", children with "file") and every definition it
    // names; earlier names are forgotten. A name defined twice throws
    // "Game object:<name> already exist in factory".
    static void LoadGameObjects(const std::wstring& listFile);
    static void AddGameObjectInfo(const std::wstring& objectFile);
    // A new object read from the name's definition; an unknown name throws
    // "Game Object:<name> not found in game object factory".
    static boost::shared_ptr<RGPYGameObject> Create(const std::string& name);
    static boost::shared_ptr<RGPYGameObject> LoadGameObject(const std::wstring& objectFile);

    // The script's create(type name), wrapped with the type name as its class name.
    static boost::shared_ptr<RGPythonObject> CreateByTypeName(const std::string& typeName);
    // The script's create_dispatcher(), wrapped with the class name "Dispatch".
    static boost::shared_ptr<RGPythonObject> CreateDispatcher();
    // The script's getGameObjectStateStr(state).
    static std::string GetGameObjectStateStr(uint32_t state);
    static RGPythonResult CreateSpriteInfo(const std::string& name, float posX, float posY, float posWidth,
                                           float posHeight, float texX, float texY, float texWidth, float texHeight,
                                           bool enabled, bool flipHorizontal, bool flipVertical, bool animationInverse,
                                           float scaleX, float scaleY);

    // Lets go of the interpreter, the module functions and the keys (the object table stays), so
    // that the interpreter can end with the program; a later use initialises the factory again.
    static void Release();

    // The str key of a property (initialising the factory first).
    static const RGPythonHandle& GetPropertyKey(RGPropertyKey key);
    static const char* GetPropertyName(RGPropertyKey key);

private:
    static void Init();
};

} // namespace Runegarden
