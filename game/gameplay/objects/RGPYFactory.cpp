#include "game/gameplay/objects/RGPYFactory.h"

#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SXMLDeserializator.h"

#include <atomic>
#include <unordered_map>

static const char* const kTarnSource = "..\\Src\\RGPYFactory";

using SCore::TarnCoreException;

namespace Runegarden {

namespace {

const char* const kModuleName = "rgpy_factory";

const char* const kPropertyNames[RGPK_COUNT] = {
    "posx", "posy", "state", "is_enable", "gravity_action", "x", "y", "w", "h", "vel_x", "vel_y", "mass",
    "width", "height", "tex_x", "tex_y", "tex_w", "tex_h", "gameObjectType", "is_static", "anim_offset",
    "frc_x", "frc_y", "enable", "flip_h", "flip_v", "anim_inv", "is_actor", "is_portal", "is_monstr"};

// Guarded by the script lock, which every operation of the factory holds. Never destroyed:
// objects may be released late; Release lets go of the interpreter at the program's end.
struct FactoryState {
    std::unordered_map<std::string, std::wstring> objects;
    boost::shared_ptr<RGPythonInterpreter> interpreter;
    boost::shared_ptr<RGPythonFunctor> stateStr;
    boost::shared_ptr<RGPythonFunctor> create;
    boost::shared_ptr<RGPythonFunctor> spriteInfo;
    RGPythonHandle keys[RGPK_COUNT];
    std::atomic<bool> ready{false}; // set once everything above is made
};

FactoryState& State()
{
    static FactoryState* state = new FactoryState;
    return *state;
}

boost::shared_ptr<RGPythonFunctor> Bind(const boost::shared_ptr<RGPythonInterpreter>& interpreter,
                                        const std::string& name, unsigned argumentCount)
{
    boost::shared_ptr<RGPythonFunctor> functor(new RGPythonFunctor(interpreter));
    functor->SetFuncName(name, argumentCount);
    return functor;
}

} // namespace

void RGPYFactory::Init()
{
    TARN_TRY
    RGScriptLock lock;
    FactoryState& state = State();
    if (state.create) return;
    boost::shared_ptr<RGPythonInterpreter> interpreter(new RGPythonInterpreter);
    interpreter->LoadModule(kModuleName);
    state.interpreter = interpreter;
    state.stateStr = Bind(interpreter, "getGameObjectStateStr", 1);
    boost::shared_ptr<RGPythonFunctor> create = Bind(interpreter, "create", 1);
    state.spriteInfo = Bind(interpreter, "create_sprite_info", 15);
    for (int key = 0; key < RGPK_COUNT; ++key) state.keys[key] = RGPythonHandle::FromName(kPropertyNames[key]);
    state.create = create; // last: the factory counts as initialised from here on
    state.ready = true;
    TARN_CATCH("RGPYFactory::Init()")
}

boost::shared_ptr<RGPythonInterpreter> RGPYFactory::GetModule()
{
    TARN_TRY
    RGScriptLock lock;
    Init();
    return State().interpreter;
    TARN_CATCH("RGPYFactory::GetModule()")
}

void RGPYFactory::LoadGameObjects(const std::wstring& listFile)
{
    TARN_TRY
    RGScriptLock lock;
    State().objects.clear();
    SCore::SXMLDeserializator in(listFile);
    in.BeginChild("world");
    std::wstring directory;
    in.Deserialize("directory", directory);
    const unsigned count = in.GetChildCount();
    for (unsigned i = 0; i < count; ++i) {
        std::wstring file;
        in.BeginChild(i);
        in.Deserialize("file", file);
        in.EndChild();
        AddGameObjectInfo(directory + L"\\" + file);
    }
    in.EndChild();
    TARN_CATCH("RGPYFactory::LoadGameObjects()")
}

void RGPYFactory::AddGameObjectInfo(const std::wstring& objectFile)
{
    TARN_TRY
    RGScriptLock lock;
    SCore::SXMLDeserializator in(objectFile);
    std::string name;
    in.BeginChild("GameObject");
    in.Deserialize("Name", name);
    in.EndChild();
    if (!State().objects.emplace(name, objectFile).second)
        throw TarnCoreException("Game object:" + name + " already exist in factory");
    TARN_CATCH("RGPYFactory::AddGameObjectInfo()")
}

boost::shared_ptr<RGPYGameObject> RGPYFactory::Create(const std::string& name)
{
    TARN_TRY
    RGScriptLock lock;
    const auto found = State().objects.find(name);
    if (found == State().objects.end())
        throw TarnCoreException("Game Object:" + name + " not found in game object factory");
    const std::wstring file = found->second;
    return LoadGameObject(file);
    TARN_CATCH("RGPYFactory::Create()")
}

boost::shared_ptr<RGPYGameObject> RGPYFactory::LoadGameObject(const std::wstring& objectFile)
{
    TARN_TRY
    RGScriptLock lock;
    SCore::SXMLDeserializator in(objectFile);
    std::string typeName;
    in.BeginChild("GameObject");
    in.Deserialize("GameObjectType", typeName);
    in.EndChild();
    boost::shared_ptr<RGPYGameObject> object(new RGPYGameObject);
    object->SetPythonObject(CreateByTypeName(typeName));
    object->DoDeserialize(in);
    return object;
    TARN_CATCH("RGPYFactory::LoadGameObject()")
}

boost::shared_ptr<RGPythonObject> RGPYFactory::CreateByTypeName(const std::string& typeName)
{
    TARN_TRY
    RGScriptLock lock;
    Init();
    FactoryState& state = State();
    state.create->SetArgumentValueString(typeName);
    const RGPythonResult instance = state.create->Exec();
    return boost::shared_ptr<RGPythonObject>(
        new RGPythonObject(state.interpreter, typeName, instance.GetHandle()));
    TARN_CATCH("RGPYFactory::CreateByTypeName()")
}

boost::shared_ptr<RGPythonObject> RGPYFactory::CreateDispatcher()
{
    TARN_TRY
    RGScriptLock lock;
    Init();
    const boost::shared_ptr<RGPythonFunctor> functor = Bind(State().interpreter, "create_dispatcher", 0);
    const RGPythonResult instance = functor->Exec();
    return boost::shared_ptr<RGPythonObject>(
        new RGPythonObject(State().interpreter, "Dispatch", instance.GetHandle()));
    TARN_CATCH("RGPYFactory::CreateDispatcher()")
}

std::string RGPYFactory::GetGameObjectStateStr(uint32_t state)
{
    TARN_TRY
    RGScriptLock lock;
    Init();
    State().stateStr->SetArgumentValueSizeT(0, state);
    return State().stateStr->Exec().GetResultAsString();
    TARN_CATCH("RGPYFactory::GetGameObjectStateStr()")
}

RGPythonResult RGPYFactory::CreateSpriteInfo(const std::string& name, float posX, float posY, float posWidth,
                                             float posHeight, float texX, float texY, float texWidth,
                                             float texHeight, bool enabled, bool flipHorizontal, bool flipVertical,
                                             bool animationInverse, float scaleX, float scaleY)
{
    TARN_TRY
    RGScriptLock lock;
    Init();
    RGPythonFunctor& info = *State().spriteInfo;
    info.SetArgumentValueString(name);
    info.SetArgumentValueDouble(1, posX);
    info.SetArgumentValueDouble(2, posY);
    info.SetArgumentValueDouble(3, posWidth);
    info.SetArgumentValueDouble(4, posHeight);
    info.SetArgumentValueDouble(5, texX);
    info.SetArgumentValueDouble(6, texY);
    info.SetArgumentValueDouble(7, texWidth);
    info.SetArgumentValueDouble(8, texHeight);
    info.SetArgumentValueBoolean(9, enabled);
    info.SetArgumentValueBoolean(10, flipHorizontal);
    info.SetArgumentValueBoolean(11, flipVertical);
    info.SetArgumentValueBoolean(12, animationInverse);
    info.SetArgumentValueDouble(13, scaleX);
    info.SetArgumentValueDouble(14, scaleY);
    return info.Exec();
    TARN_CATCH("RGPYFactory::CreateSpriteInfo()")
}

void RGPYFactory::Release()
{
    RGScriptLock lock;
    FactoryState& state = State();
    state.ready = false;
    state.create.reset(); // first: the factory counts as uninitialised from here on
    state.stateStr.reset();
    state.spriteInfo.reset();
    for (RGPythonHandle& key : state.keys) key.Reset();
    state.interpreter.reset();
}

const RGPythonHandle& RGPYFactory::GetPropertyKey(RGPropertyKey key)
{
    TARN_TRY
    TARN_ASSERT(key >= 0 && key < RGPK_COUNT);
    if (!State().ready) Init();
    return State().keys[key];
    TARN_CATCH("RGPYFactory::GetPropertyKey()")
}

const char* RGPYFactory::GetPropertyName(RGPropertyKey key)
{
    return (key >= 0 && key < RGPK_COUNT) ? kPropertyNames[key] : "";
}

} // namespace Runegarden
