#include "engine/core/base/TarnCoreException.h"

#include "engine/core/base/SEngineException.h"

namespace SCore {

void ThrowWithContext(const TarnCoreException& caught, const char* method, const char* sourcePath,
                      int line)
{
    std::string text = caught.what();
    text += ' ';
    text += method;
    text += ' ';
    text += sourcePath;
    text += " at:";
    text += std::to_string(line);
    throw TarnCoreException(text);
}

void ThrowAssertion(const char* text)
{
    throw TarnEngine::SEngineException(text);
}

} // namespace SCore
