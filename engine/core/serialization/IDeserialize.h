#pragma once
// Implemented by everything that is loaded: from the index-th child of the current element, or
// from your own named child of it.

namespace SCore {

class SDeserializator;

class IDeserialize {
public:
    virtual ~IDeserialize() = default;
    virtual void DoDeserialize(SDeserializator& deserializator, unsigned int index) = 0;
    virtual void DoDeserialize(SDeserializator& deserializator) = 0;
};

} // namespace SCore
