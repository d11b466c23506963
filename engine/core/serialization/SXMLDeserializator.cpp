#include "engine/core/serialization/SXMLDeserializator.h"

#include "engine/core/base/FileUtils.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/xml/XMLException.h"
#include "engine/core/xml/XMLParser.h"
#include "platform/files.h"

#include <boost/lexical_cast.hpp>

#include <initializer_list>
#include <typeinfo>
#include <utility>

static const char* const kTarnSource = "Src\\SXMLDeserializator";

namespace SCore {

using SXML::XMLNode;

namespace {

const char* const kDefaultDocument =
    "<?xml version=\"1.0\" encoding=\"us-ascii\"?><root></root>";

// "f11" .. "f44": row, then column, from 1.
std::string MatrixName(int row, int column)
{
    return {'f', char('1' + row), char('1' + column)};
}

// Fields are stored one by one as they convert, so a failure part-way keeps the earlier ones.
template <typename T>
void ReadFields(const XMLNode& node, std::initializer_list<std::pair<const char*, T*>> fields)
{
    for (const auto& field : fields)
        *field.second = boost::lexical_cast<T>(node.GetAttribute(field.first)->m_Value);
}

// The conversion to 16-bit integers overflows a signed intermediate (undefined behaviour) on
// some texts it rejects anyway; refuse those texts first, with the conversion's own error.
template <typename T>
T ToShortInteger(const std::string& text)
{
    const std::size_t start = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (start == text.size() || text.find_first_not_of("0123456789", start) != std::string::npos)
        throw boost::bad_lexical_cast(typeid(std::string), typeid(T));
    return boost::lexical_cast<T>(text);
}

void ReadMatrix(const XMLNode& node, SMatrix& value)
{
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            ReadFields<float>(node, {{MatrixName(row, column).c_str(), &value.m[row][column]}});
}

} // namespace

SXMLDeserializator::SXMLDeserializator()
{
    m_Text = kDefaultDocument;
    ParseText();
}

SXMLDeserializator::SXMLDeserializator(const std::wstring& fileName)
{
    TARN_TRY
    LoadFile(fileName);
    ParseText();
    TARN_CATCH("SXMLDeserializator::SXMLDeserializator")
}

SXMLDeserializator::~SXMLDeserializator() = default;

void SXMLDeserializator::LoadFile(const std::wstring& fileName)
{
    TARN_TRY
    m_Text = ReadWholeFile(fileName);
    TARN_CATCH("SXMLDeserializator::LoadFile")
}

void SXMLDeserializator::ParseText()
{
    TARN_TRY
    SXML::XMLParser parser;
    try {
        parser.Parse(m_Text);
    } catch (const SXML::XMLException& e) {
        throw TarnCoreException(e.what());
    }
    m_Root = parser.GetRoot();
    m_Current = m_Root;
    TARN_CATCH("SXMLDeserializator::ParseText")
}

const std::string& SXMLDeserializator::Attribute(const std::string& key) const
{
    return m_Current->GetAttribute(key)->m_Value;
}

boost::shared_ptr<XMLNode> SXMLDeserializator::CompositeChild(const std::string& key) const
{
    boost::shared_ptr<XMLNode> child = m_Current->GetChild(key);
    if (!child)
        throw TarnCoreException("Deserializator error: can't find child node:" + key);
    return child;
}

// --- Navigation ------------------------------------------------------------------------------

void SXMLDeserializator::DoBeginChild(const std::string& name)
{
    TARN_TRY
    boost::shared_ptr<XMLNode> child = m_Current->GetChild(name);
    if (!child)
        throw TarnCoreException("Deserializator error: can't find child node:" + name);
    m_Current = child;
    TARN_CATCH("SXMLDeserializator::DoBeginChild")
}

void SXMLDeserializator::DoEndChild()
{
    TARN_TRY
    // At the synthetic root there is no parent: stay there.
    if (boost::shared_ptr<XMLNode> parent = m_Current->m_Parent.lock())
        m_Current = parent;
    TARN_CATCH("SXMLDeserializator::DoEndChild")
}

void SXMLDeserializator::DoBeginChild(unsigned int index)
{
    TARN_TRY
    if (index >= m_Current->m_Children.size())
        throw TarnCoreException("can't access unreal child");
    m_Current = m_Current->m_Children[index];
    TARN_CATCH("SXMLDeserializator::DoBeginChild")
}

unsigned int SXMLDeserializator::DoGetChildCount()
{
    return static_cast<unsigned int>(m_Current->m_Children.size());
}

std::string SXMLDeserializator::DoGetNodeName()
{
    TARN_TRY
    return m_Current->m_Name;
    TARN_CATCH("SXMLDeserializator::DoGetNodeName")
}

boost::shared_ptr<SDeserializator> SXMLDeserializator::DoClone(const std::wstring& fileName)
{
    TARN_TRY
    return boost::shared_ptr<SDeserializator>(new SXMLDeserializator(fileName));
    TARN_CATCH("SXMLDeserializator::DoClone")
}

bool SXMLDeserializator::DoIsAvialableName(const std::string& key)
{
    TARN_TRY
    try {
        m_Current->GetAttribute(key);
        return true;
    } catch (const TarnCoreException&) {
        return false;
    }
    TARN_CATCH("SXMLDeserializator::DoIsAvialableName")
}

bool SXMLDeserializator::DoIsHaveChild(const std::string& name)
{
    TARN_TRY
    return static_cast<bool>(m_Current->GetChild(name));
    TARN_CATCH("SXMLDeserializator::DoIsHaveChild")
}

// --- Scalars ---------------------------------------------------------------------------------

void SXMLDeserializator::DoDeserialize(const std::string& key, bool& value)
{
    TARN_TRY
    value = boost::lexical_cast<bool>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, float& value)
{
    TARN_TRY
    value = boost::lexical_cast<float>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, double& value)
{
    TARN_TRY
    value = boost::lexical_cast<double>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, unsigned short& value)
{
    TARN_TRY
    value = ToShortInteger<unsigned short>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, short& value)
{
    TARN_TRY
    value = ToShortInteger<short>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, int& value)
{
    TARN_TRY
    value = boost::lexical_cast<int>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, unsigned int& value)
{
    TARN_TRY
    value = boost::lexical_cast<unsigned int>(Attribute(key));
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, std::string& value)
{
    TARN_TRY
    value = Attribute(key);
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, std::wstring& value)
{
    value = WidenSigned(Attribute(key));
}

// --- Composites ------------------------------------------------------------------------------

void SXMLDeserializator::DoDeserialize(const std::string& key, SVector3& value)
{
    TARN_TRY
    ReadFields<float>(*CompositeChild(key), {{"X", &value.X}, {"Y", &value.Y}, {"Z", &value.Z}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, SMatrix& value)
{
    TARN_TRY
    ReadMatrix(*CompositeChild(key), value);
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, SVector4& value)
{
    TARN_TRY
    ReadFields<float>(*CompositeChild(key),
                      {{"X", &value.X}, {"Y", &value.Y}, {"Z", &value.Z}, {"W", &value.W}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, SRect& value)
{
    TARN_TRY
    ReadFields<float>(*CompositeChild(key), {{"X", &value.X}, {"Y", &value.Y},
                                             {"Width", &value.Width}, {"Height", &value.Height}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, SAABBox& value)
{
    TARN_TRY
    ReadFields<float>(*CompositeChild(key),
                      {{"MinX", &value.Min.X}, {"MinY", &value.Min.Y}, {"MinZ", &value.Min.Z},
                       {"MaxX", &value.Max.X}, {"MaxY", &value.Max.Y}, {"MaxZ", &value.Max.Z}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, SSphere& value)
{
    TARN_TRY
    ReadFields<float>(*CompositeChild(key),
                      {{"X", &value.X}, {"Y", &value.Y}, {"Z", &value.Z}, {"R", &value.R}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, SOBBox& value)
{
    TARN_TRY
    // Read order: position, orientation, size (the writer's is position, size, orientation).
    boost::shared_ptr<XMLNode> node = CompositeChild(key);
    ReadFields<float>(*node, {{"PositionX", &value.Position.X}, {"PositionY", &value.Position.Y},
                              {"PositionZ", &value.Position.Z}});
    ReadMatrix(*node, value.Orientation);
    ReadFields<float>(*node,
                      {{"SizeX", &value.Size.X}, {"SizeY", &value.Size.Y}, {"SizeZ", &value.Size.Z}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, STextureFiltration& value)
{
    TARN_TRY
    ReadFields<bool>(*CompositeChild(key), {{"IsBilinear", &value.m_IsBilinear},
                                            {"IsTrilinear", &value.m_IsTrilinear},
                                            {"IsAnisotropic", &value.m_IsAnisotropic}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

void SXMLDeserializator::DoDeserialize(const std::string& key, STextureLoadParams& value)
{
    TARN_TRY
    ReadFields<unsigned int>(*CompositeChild(key),
                             {{"MipLevels", &value.MipLevels}, {"Usage", &value.Usage},
                              {"Format", &value.Format}, {"Pool", &value.Pool},
                              {"Filter", &value.Filter}, {"MipFilter", &value.MipFilter}});
    TARN_CATCH("SXMLDeserializator::DoDeserialize")
}

// --- Unsupported -----------------------------------------------------------------------------

void SXMLDeserializator::DoDeserialize(const std::string&, long double&)
{
    throw TarnCoreException("method is not define");
}

void SXMLDeserializator::DoDeserialize(const std::string&, long long&)
{
    throw TarnCoreException("method is not define");
}

void SXMLDeserializator::DoDeserialize(const std::string&, unsigned long long&)
{
    throw TarnCoreException("method is not define");
}

void SXMLDeserializator::DoDeserialize(const std::string&, char&)
{
    throw TarnCoreException("method is not define");
}

void SXMLDeserializator::DoDeserialize(const std::string&, const char*&)
{
    throw TarnCoreException("method is not define");
}

} // namespace SCore
