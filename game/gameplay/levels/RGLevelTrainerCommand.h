#pragma once
// One command of a tutorial script: it reads its attributes from its element and does its work
// for the frame in which it is the trainer's current command.

#include <string>

namespace SCore {
class SDeserializator;
}

namespace Runegarden {

class RGLevelTrainer;

class RGLevelTrainerCommand {
public:
    virtual ~RGLevelTrainerCommand() = default;
    virtual void Execute(RGLevelTrainer& trainer) = 0;
    // Reads the optional "ID"; commands with fields read them after it.
    virtual void Deserialize(SCore::SDeserializator& in);
    // Puts the command's per-run state back as a restart of the trainer needs it.
    virtual void Rearm() {}

    std::string m_ID;
};

} // namespace Runegarden
