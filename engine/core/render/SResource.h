#pragma once
// Base of the graphics resources the viewport makes: textures, vertex and index buffers.

#include <cstdint>
#include <string>

namespace SCore {

enum SResourceType : uint32_t {
    SRT_TEXTURE = 3,
    SRT_VERTEXBUFFER = 6,
    SRT_INDEXBUFFER = 7,
};

class SResource {
public:
    SResource(uint32_t type, const std::string& name) : m_Type(type), m_Name(name) {}
    virtual ~SResource() = default;
    uint32_t GetResourceType() const { return m_Type; }
    const std::string& GetName() const { return m_Name; }

protected:
    uint32_t m_Type;
    std::string m_Name;
};

} // namespace SCore
