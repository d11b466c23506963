#pragma once
// Implemented by everything that is saved: write yourself, normally as one element of your own
// (BeginChild with your tag, your values, EndChild).

namespace SCore {

class SSerializator;

class ISerialize {
public:
    virtual ~ISerialize() = default;
    virtual void DoSerialize(SSerializator& serializator) = 0;
};

} // namespace SCore
