#pragma once
// The drawables' tests' headless 800 x 600 viewport, with helpers to read buffers back and objects
// from XML text.

#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/serialization/SXMLDeserializator.h"
#include "engine/core/serialization/SXMLSerializator.h"
#include "engine/core/render/TResourceLock.h"
#include "engine/framework/drawables/SSprite.h"
#include "platform/testing.h"
#include "platform/testing_render.h"
#include "tests/support/HeadlessViewport.h"
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

class DrawablesTest : public tarn_test::HeadlessViewportTest {
protected:
    void SetUp() override
    {
        HeadlessViewportTest::SetUp();
        Open(800, 600);
        CreateDevice(800, 600);
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
