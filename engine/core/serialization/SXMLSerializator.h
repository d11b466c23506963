#pragma once
// The XML writer: builds an element tree under a synthetic root and, on Flush, writes the root's
// children as indented XML (two spaces a level, no declaration, no escaping) to a UTF-8 file.
// Flush replaces the file only once the whole new document has reached the disk.

#include "engine/core/serialization/SSerializator.h"
#include "engine/core/xml/XMLNode.h"

#include <boost/shared_ptr.hpp>

#include <ostream>
#include <string>

namespace SCore {

class SXMLSerializator : public SSerializator {
public:
    explicit SXMLSerializator(const std::wstring& fileName);
    // Does not flush: a document never flushed is lost.
    ~SXMLSerializator() override;

    static boost::shared_ptr<SXML::XMLNode> CreateNode(const std::string& name);

    // Writes the element at the given depth: children on their own lines, indented two spaces
    // a level; the value directly before the close tag.
    static std::wostream& WriteXMLNode(std::wostream& out, const SXML::XMLNode& node, int depth = 0);
    static std::wostream& WriteXMLAttribute(std::wostream& out, const SXML::XMLAttribute& attribute);

protected:
    void DoSerialize(const std::string& key, const STextureLoadParams& value) override;
    void DoSerialize(const std::string& key, const STextureFiltration& value) override;
    void DoSerialize(const std::string& key, const SOBBox& value) override;
    void DoSerialize(const std::string& key, const SSphere& value) override;
    void DoSerialize(const std::string& key, const SAABBox& value) override;
    void DoSerialize(const std::string& key, const SRect& value) override;
    void DoSerialize(const std::string& key, const SVector4& value) override;
    void DoSerialize(const std::string& key, const SMatrix& value) override;
    void DoSerialize(const std::string& key, const SVector3& value) override;
    void DoSerialize(const std::string& key, const std::wstring& value) override;
    void DoSerialize(const std::string& key, const std::string& value) override;
    void DoSerialize(const std::string& key, const double& value) override;
    void DoSerialize(const std::string& key, const float& value) override;
    void DoSerialize(const std::string& key, const long double& value) override;
    void DoSerialize(const std::string& key, const long long& value) override;
    void DoSerialize(const std::string& key, const unsigned long long& value) override;
    void DoSerialize(const std::string& key, const unsigned int& value) override;
    void DoSerialize(const std::string& key, const int& value) override;
    void DoSerialize(const std::string& key, const unsigned short& value) override;
    void DoSerialize(const std::string& key, const short& value) override;
    void DoSerialize(const std::string& key, const char& value) override;
    void DoSerialize(const std::string& key, const char* const& value) override;
    void DoSerialize(const std::string& key, const bool& value) override;

    void DoBeginChild(const std::string& name) override;
    void DoEndChild() override;
    // Flushes the document in hand to its file first, then starts an empty one for fileName.
    void DoOpenDataSource(const std::wstring& fileName) override;
    // Throws "can't write file:[<path>]" when the file cannot be written or an attribute value
    // holds a double quote (unreadable in this dialect); the previous file then stays intact.
    void DoFlush() override;
    boost::shared_ptr<SSerializator> DoClone(const std::wstring& fileName) override;

private:
    void AddValue(const std::string& key, const std::string& text);
    // Appends a composite's element to current; it does not become current.
    boost::shared_ptr<SXML::XMLNode> AddComposite(const std::string& key);

    boost::shared_ptr<SXML::XMLNode> m_Root;
    boost::shared_ptr<SXML::XMLNode> m_Current;
    std::wstring m_FileName;
};

} // namespace SCore
