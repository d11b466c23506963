#pragma once
// A Direct3D 9 viewport with a texture manager for the drawables' tests, headless at 800 x 600,
// with helpers to read buffers back and objects from XML text.

#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/serialization/SXMLSerializator.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"
#include "engine/core/render/dx9/SD3D9Viewport.h"
#include "engine/framework/drawables/SSprite.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "tests/support/TempDir.h"
#include "tests/support/ThrownText.h"
#include "tests/support/XmlText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace drawables_test {

namespace pt = platform::testing;

using tarn_test::XmlText;

template <typename V, typename B>
std::vector<V> Read(const boost::shared_ptr<B>& buffer, size_t count)
{
    std::vector<V> out(count);
    if (count == 0) return out;
    SCore::TResourceLock<B> lock(buffer);
    std::memcpy(out.data(), lock.Data(), count * sizeof(V));
    return out;
}

template <typename V>
std::vector<V> ReadVertices(const boost::shared_ptr<SCore::SVertexBuffer>& buffer)
{
    return Read<V>(buffer, buffer->m_VertexCount);
}

inline std::vector<uint16_t> ReadIndices(const boost::shared_ptr<SCore::SIndexBuffer>& buffer)
{
    return Read<uint16_t>(buffer, buffer->m_IndexCount);
}

using tarn_test::StartsWith;
using tarn_test::ThrownText;

class ViewportTest : public ::testing::Test {
protected:
    void Open(pt::RenderMode mode, int width, int height)
    {
        pt::SetRenderMode(mode);
        pt::SetSleepMode(pt::SleepMode::Return);
        m_Window = pt::CreateRenderTestWindow(width, height);
        ASSERT_NE(nullptr, m_Window);
        m_Viewport.reset(new SCore::SD3D9Viewport);
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        m_Viewport->m_RenderDevice->Create(m_Window, width, height, 0, false);
    }
    void TearDown() override
    {
        m_Viewport.reset();
        if (m_Window) pt::DestroyRenderTestWindow(m_Window);
        pt::ResetAll();
    }
    SCore::SRenderDevice& Device() { return *m_Viewport->m_RenderDevice; }

    HWND m_Window = nullptr;
    boost::shared_ptr<SCore::SViewport> m_Viewport;
};

class DrawablesTest : public ViewportTest {
protected:
    void SetUp() override
    {
        pt::ResetAll();
        Open(pt::RenderMode::Headless, 800, 600);
        pt::RecordRenderCalls(true);
    }
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

    tarn_test::TempDir m_Dir;
};

} // namespace drawables_test
