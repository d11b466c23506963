#include "engine/core/serialization/SXMLSerializator.h"

#include "engine/core/base/SOutputDeviceFile.h"
#include "engine/core/base/TarnCoreException.h"
#include "platform/files.h"

#include <boost/lexical_cast.hpp>
#include <boost/make_shared.hpp>

#include <initializer_list>
#include <utility>

static const char* const kTarnSource = "Src\\SXMLSerializator";

namespace SCore {

using SXML::XMLAttribute;
using SXML::XMLNode;

namespace {

// "f11" .. "f44": row, then column, from 1.
std::string MatrixName(int row, int column)
{
    return {'f', char('1' + row), char('1' + column)};
}

// Floats keep 9 and doubles 17 significant digits, so every value reads back exactly.
template <typename T>
std::string Text(T value)
{
    return boost::lexical_cast<std::string>(value);
}

std::string Text(bool value) { return value ? "1" : "0"; }

template <typename T>
void AddFields(const boost::shared_ptr<XMLNode>& node,
               std::initializer_list<std::pair<const char*, T>> fields)
{
    for (const auto& field : fields)
        node->m_Attributes.push_back(
            boost::make_shared<XMLAttribute>(field.first, Text(field.second), node));
}

void AddMatrix(const boost::shared_ptr<XMLNode>& node, const SMatrix& value)
{
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            AddFields<float>(node, {{MatrixName(row, column).c_str(), value.m[row][column]}});
}

// A double quote would end the value early and make the file unreadable.
bool HoldsQuotedValue(const XMLNode& node)
{
    for (const auto& attribute : node.m_Attributes)
        if (attribute->m_Value.find('"') != std::string::npos)
            return true;
    for (const auto& child : node.m_Children)
        if (HoldsQuotedValue(*child))
            return true;
    return false;
}

// Each byte goes out as the wide character of the same value.
std::wostream& WriteNarrow(std::wostream& out, const std::string& text)
{
    return out << WidenBytes(text);
}

} // namespace

SXMLSerializator::SXMLSerializator(const std::wstring& fileName)
    : m_Root(CreateNode("root")), m_Current(m_Root), m_FileName(fileName)
{
}

SXMLSerializator::~SXMLSerializator() = default;

boost::shared_ptr<XMLNode> SXMLSerializator::CreateNode(const std::string& name)
{
    TARN_TRY
    return boost::make_shared<XMLNode>(name);
    TARN_CATCH("SXMLSerializator::CreateNode")
}

std::wostream& SXMLSerializator::WriteXMLAttribute(std::wostream& out, const XMLAttribute& attribute)
{
    out << L' ';
    WriteNarrow(out, attribute.m_Name) << L"=\"";
    return WriteNarrow(out, attribute.m_Value) << L'"';
}

std::wostream& SXMLSerializator::WriteXMLNode(std::wostream& out, const XMLNode& node, int depth)
{
    out << L'<';
    WriteNarrow(out, node.m_Name);
    for (const auto& attribute : node.m_Attributes)
        WriteXMLAttribute(out, *attribute);
    out << L'>';
    const std::wstring childIndent(2 * (depth + 1), L' ');
    for (const auto& child : node.m_Children) {
        out << L'\n' << childIndent;
        WriteXMLNode(out, *child, depth + 1);
    }
    if (!node.m_Children.empty())
        out << L'\n' << std::wstring(2 * depth, L' ');
    WriteNarrow(out, node.m_Value) << L"</";
    return WriteNarrow(out, node.m_Name) << L'>';
}

void SXMLSerializator::AddValue(const std::string& key, const std::string& text)
{
    m_Current->m_Attributes.push_back(boost::make_shared<XMLAttribute>(key, text, m_Current));
}

boost::shared_ptr<XMLNode> SXMLSerializator::AddComposite(const std::string& key)
{
    boost::shared_ptr<XMLNode> node = CreateNode(key);
    m_Current->m_Children.push_back(node);
    return node;
}

// --- Navigation and the document -------------------------------------------------------------

void SXMLSerializator::DoOpenDataSource(const std::wstring& fileName)
{
    TARN_TRY
    DoFlush();
    m_Root = CreateNode("root");
    m_FileName = fileName;
    m_Current = m_Root;
    TARN_CATCH("SXMLSerializator::DoOpenDataSource")
}

void SXMLSerializator::DoFlush()
{
    TARN_TRY
    const std::string failure = "can't write file:[" + NarrowLow(m_FileName) + "]";
    if (HoldsQuotedValue(*m_Root))
        throw TarnCoreException(failure);

    // Write a temporary file beside the target and rename it over the target only once it is
    // complete and on disk, so a failed save never leaves a truncated file behind.
    const std::wstring tempName = m_FileName + L".tmp";
    bool written = false;
    try {
        SOutputDeviceFile device(tempName.c_str());
        for (const auto& child : m_Root->m_Children) {
            device.DoBeginWrite();
            if (device.m_Enabled)
                if (std::wostream* stream = device.DoGetStream())
                    WriteXMLNode(*stream, *child);
            device.DoEndWrite();
        }
        written = device.IsGood();
        written = device.Close(true) && written;
    } catch (...) {
        DeleteFileW(tempName.c_str());
        throw;
    }
    if (!written ||
        !MoveFileExW(tempName.c_str(), m_FileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(tempName.c_str());
        throw TarnCoreException(failure);
    }
    TARN_CATCH("SXMLSerializator::DoFlush")
}

void SXMLSerializator::DoBeginChild(const std::string& name)
{
    TARN_TRY
    boost::shared_ptr<XMLNode> node = CreateNode(name);
    node->m_Parent = m_Current;
    m_Current->m_Children.push_back(node);
    m_Current = node;
    TARN_CATCH("SXMLSerializator::DoBeginChild")
}

void SXMLSerializator::DoEndChild()
{
    TARN_TRY
    // At the synthetic root there is no parent: stay there.
    if (boost::shared_ptr<XMLNode> parent = m_Current->m_Parent.lock())
        m_Current = parent;
    TARN_CATCH("SXMLSerializator::DoEndChild")
}

boost::shared_ptr<SSerializator> SXMLSerializator::DoClone(const std::wstring& fileName)
{
    TARN_TRY
    return boost::shared_ptr<SSerializator>(new SXMLSerializator(fileName));
    TARN_CATCH("SXMLSerializator::DoClone")
}

// --- Scalars ---------------------------------------------------------------------------------

void SXMLSerializator::DoSerialize(const std::string& key, const bool& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const short& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const unsigned short& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const int& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const unsigned int& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const float& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const double& value)
{
    TARN_TRY
    AddValue(key, Text(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const std::string& value)
{
    TARN_TRY
    AddValue(key, value);
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const std::wstring& value)
{
    TARN_TRY
    AddValue(key, NarrowLow(value));
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

// --- Composites ------------------------------------------------------------------------------

void SXMLSerializator::DoSerialize(const std::string& key, const SVector3& value)
{
    TARN_TRY
    AddFields<float>(AddComposite(key), {{"X", value.X}, {"Y", value.Y}, {"Z", value.Z}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const SMatrix& value)
{
    TARN_TRY
    AddMatrix(AddComposite(key), value);
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const SVector4& value)
{
    TARN_TRY
    AddFields<float>(AddComposite(key),
                     {{"X", value.X}, {"Y", value.Y}, {"Z", value.Z}, {"W", value.W}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const SRect& value)
{
    TARN_TRY
    AddFields<float>(AddComposite(key), {{"X", value.X}, {"Y", value.Y}, {"Width", value.Width},
                                         {"Height", value.Height}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const SAABBox& value)
{
    TARN_TRY
    AddFields<float>(AddComposite(key),
                     {{"MinX", value.Min.X}, {"MinY", value.Min.Y}, {"MinZ", value.Min.Z},
                      {"MaxX", value.Max.X}, {"MaxY", value.Max.Y}, {"MaxZ", value.Max.Z}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const SSphere& value)
{
    TARN_TRY
    AddFields<float>(AddComposite(key),
                     {{"X", value.X}, {"Y", value.Y}, {"Z", value.Z}, {"R", value.R}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const SOBBox& value)
{
    TARN_TRY
    boost::shared_ptr<XMLNode> node = AddComposite(key);
    AddFields<float>(node, {{"PositionX", value.Position.X}, {"PositionY", value.Position.Y},
                            {"PositionZ", value.Position.Z}, {"SizeX", value.Size.X},
                            {"SizeY", value.Size.Y}, {"SizeZ", value.Size.Z}});
    AddMatrix(node, value.Orientation);
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const STextureFiltration& value)
{
    TARN_TRY
    AddFields<bool>(AddComposite(key), {{"IsBilinear", value.m_IsBilinear},
                                        {"IsTrilinear", value.m_IsTrilinear},
                                        {"IsAnisotropic", value.m_IsAnisotropic}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

void SXMLSerializator::DoSerialize(const std::string& key, const STextureLoadParams& value)
{
    TARN_TRY
    AddFields<unsigned int>(AddComposite(key),
                            {{"MipLevels", value.MipLevels}, {"Usage", value.Usage},
                             {"Format", value.Format}, {"Pool", value.Pool},
                             {"Filter", value.Filter}, {"MipFilter", value.MipFilter}});
    TARN_CATCH("SXMLSerializator::DoSerialize")
}

// --- Unsupported -----------------------------------------------------------------------------

void SXMLSerializator::DoSerialize(const std::string&, const long double&)
{
    throw TarnCoreException("method is not define");
}

void SXMLSerializator::DoSerialize(const std::string&, const long long&)
{
    throw TarnCoreException("method is not define");
}

void SXMLSerializator::DoSerialize(const std::string&, const unsigned long long&)
{
    throw TarnCoreException("method is not define");
}

void SXMLSerializator::DoSerialize(const std::string&, const char&)
{
    throw TarnCoreException("method is not define");
}

void SXMLSerializator::DoSerialize(const std::string&, const char* const&)
{
    throw TarnCoreException("method is not define");
}

} // namespace SCore
