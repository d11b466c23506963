#pragma once
// The program's side of a collision: runs the script dispatcher's `run` for one pair of touching
// game objects and reads back the sound the contact makes. One per world; a script may keep state
// in it between pairs.

#include "game/gameplay/objects/RGContact.h"
#include "game/gameplay/scripting/RGPythonHandle.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace Runegarden {

class RGPythonObject;
class RGPythonDictionary;
class RGPYGameObject;

class RGPYGameObjectDispatcher {
public:
    RGPYGameObjectDispatcher();
    virtual ~RGPYGameObjectDispatcher();

    // Makes the script's dispatcher instance.
    void Init();
    // Whether the program is to separate the pair; sound receives the script's `sound_fx`.
    bool Dispatch(const boost::shared_ptr<RGPYGameObject>& a, const boost::shared_ptr<RGPYGameObject>& b,
                  const RGContact& contact, const RGPythonDictionary& world, std::string& sound);

    const boost::shared_ptr<RGPythonObject>& GetPythonObject() const { return m_PythonObject; }

private:
    boost::shared_ptr<RGPythonObject> m_PythonObject;
    RGPythonHandle m_SoundKey;
};

} // namespace Runegarden
