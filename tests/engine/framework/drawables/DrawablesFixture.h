#pragma once
// A headless Direct3D 9 viewport of 800 x 600 pixels with a texture manager, for the drawables'
// tests, with helpers to read buffers back and to read objects from XML text.

#include "engine/core/SIndexBuffer.h"
#include "engine/core/STextureManager.h"
#include "engine/core/SVertexBuffer.h"
#include "engine/core/SXMLDeserializator.h"
#include "engine/core/SXMLSerializator.h"
#include "engine/core/TResourceLock.h"
#include "engine/core/dx9/SD3D9RenderDevice.h"
#include "engine/core/dx9/SD3D9Viewport.h"
#include "platform/testing.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace drawables_test {

// A reader over XML text; the document's top element is the current element's child.
class XmlText : public SCore::SXMLDeserializator {
public:
    explicit XmlText(const std::string& text)
    {
        m_Text = "<?xml version=\"1.0\" encoding=\"us-ascii\"?>" + text;
        ParseText();
    }
};

template <typename V>
std::vector<V> ReadVertices(const boost::shared_ptr<SCore::SVertexBuffer>& buffer)
{
    std::vector<V> out(buffer->m_VertexCount);
    if (out.empty()) return out;
    SCore::TResourceLock<SCore::SVertexBuffer> lock(buffer);
    std::memcpy(out.data(), lock.Data(), out.size() * sizeof(V));
    return out;
}

inline std::vector<uint16_t> ReadIndices(const boost::shared_ptr<SCore::SIndexBuffer>& buffer)
{
    std::vector<uint16_t> out(buffer->m_IndexCount);
    if (out.empty()) return out;
    SCore::TResourceLock<SCore::SIndexBuffer> lock(buffer);
    std::memcpy(out.data(), lock.Data(), out.size() * sizeof(uint16_t));
    return out;
}

// The text of the exception f throws, or "<no error>".
template <typename F>
std::string ThrownText(F f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no error>";
}

inline bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

class DrawablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetAll();
        platform::testing::SetRenderMode(platform::testing::RenderMode::Headless);
        platform::testing::SetSleepMode(platform::testing::SleepMode::Return);
        m_Window = platform::testing::CreateRenderTestWindow(800, 600);
        m_Viewport.reset(new SCore::SD3D9Viewport);
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        m_Viewport->m_RenderDevice->Create(m_Window, 800, 600, 0, false);
        platform::testing::RecordRenderCalls(true);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        platform::testing::DestroyRenderTestWindow(m_Window);
        platform::testing::ResetAll();
    }
    SCore::SRenderDevice& Device() { return *m_Viewport->m_RenderDevice; }

    // Writes obj through the XML writer into a file and returns a reader over that file.
    template <typename T>
    boost::shared_ptr<SCore::SXMLDeserializator> WriteAndReopen(T& obj)
    {
        std::wstring file = m_Dir.WFile("out.xml");
        {
            SCore::SXMLSerializator out(file);
            obj.DoSerialize(out);
            out.Flush();
        }
        return boost::shared_ptr<SCore::SXMLDeserializator>(new SCore::SXMLDeserializator(file));
    }

    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SViewport> m_Viewport;
    tarn_test::TempDir m_Dir;
};

} // namespace drawables_test
