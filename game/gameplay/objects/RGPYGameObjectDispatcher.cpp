#include "game/gameplay/objects/RGPYGameObjectDispatcher.h"

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "..\\Src\\RGPYGameObjectDispatcher";

namespace Runegarden {

RGPYGameObjectDispatcher::RGPYGameObjectDispatcher() = default;

RGPYGameObjectDispatcher::~RGPYGameObjectDispatcher() = default;

void RGPYGameObjectDispatcher::Init()
{
    TARN_TRY
    RGScriptLock lock;
    m_PythonObject = RGPYFactory::CreateDispatcher();
    m_SoundKey = RGPythonHandle::FromName("sound_fx");
    TARN_CATCH("RGPYGameObjectDispatcher::Init()")
}

bool RGPYGameObjectDispatcher::Dispatch(const boost::shared_ptr<RGPYGameObject>& a,
                                        const boost::shared_ptr<RGPYGameObject>& b, const RGContact& contact,
                                        const RGPythonDictionary& world, std::string& sound)
{
    TARN_TRY
    TARN_ASSERT(0 != m_PythonObject.get());
    TARN_ASSERT(0 != a.get() && 0 != a->GetPythonObject().get());
    TARN_ASSERT(0 != b.get() && 0 != b->GetPythonObject().get());
    RGScriptLock lock;
    RGPythonObject& dispatcher = *m_PythonObject;
    dispatcher.SetMethodName("run", 8);
    dispatcher.SetArgumentValuePyObject(0, a->GetPythonObject()->GetInstance());
    dispatcher.SetArgumentValuePyObject(1, b->GetPythonObject()->GetInstance());
    dispatcher.SetArgumentValueDouble(2, contact.m_Point.X);
    dispatcher.SetArgumentValueDouble(3, contact.m_Point.Y);
    dispatcher.SetArgumentValueDouble(4, contact.m_Depth);
    dispatcher.SetArgumentValueDouble(5, contact.m_Normal.X);
    dispatcher.SetArgumentValueDouble(6, contact.m_Normal.Y);
    dispatcher.SetArgumentValuePyObject(7, world.GetHandle());
    const bool resolve = dispatcher.CreateObject().GetResultAsBoolean();
    sound = dispatcher.GetPropertyValue(m_SoundKey).GetResultAsString();
    return resolve;
    TARN_CATCH("RGPYGameObjectDispatcher::Dispatch()")
}

} // namespace Runegarden
