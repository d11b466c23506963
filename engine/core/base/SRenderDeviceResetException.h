#pragma once
// The render device's word, from its begin-scene, that it is about to be reset: the application
// lets go of what a reset would refuse or destroy and skips the frame. Not a TarnCoreException,
// so the error chain's handlers let it pass on its way to the frame.

#include <exception>

namespace SCore {

class SRenderDeviceResetException : public std::exception {
public:
    const char* what() const noexcept override { return "render device reset"; }
};

} // namespace SCore
