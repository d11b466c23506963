#pragma once
// The XML reader: loads a whole file, parses it and answers reads by walking the element tree.
// Scalars are attributes of the current element; composite values are child elements named by
// their key, one attribute per field.

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/xml/XMLNode.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace SCore {

class SXMLDeserializator : public SDeserializator {
public:
    // A document holding one empty element "root" (inside the synthetic root).
    SXMLDeserializator();
    // Throws "File [<path>] not found" or the parser's text, with context entries.
    explicit SXMLDeserializator(const std::wstring& fileName);
    ~SXMLDeserializator() override;

    void LoadFile(const std::wstring& fileName);
    // Parses m_Text anew; root and current move to the new document.
    void ParseText();

    // The document's text; callers may replace it and call ParseText again.
    std::string m_Text;

protected:
    void DoDeserialize(const std::string& key, STextureLoadParams& value) override;
    void DoDeserialize(const std::string& key, STextureFiltration& value) override;
    void DoDeserialize(const std::string& key, SOBBox& value) override;
    void DoDeserialize(const std::string& key, SSphere& value) override;
    void DoDeserialize(const std::string& key, SAABBox& value) override;
    void DoDeserialize(const std::string& key, SRect& value) override;
    void DoDeserialize(const std::string& key, SVector4& value) override;
    void DoDeserialize(const std::string& key, SMatrix& value) override;
    void DoDeserialize(const std::string& key, SVector3& value) override;
    void DoDeserialize(const std::string& key, std::wstring& value) override;
    void DoDeserialize(const std::string& key, std::string& value) override;
    void DoDeserialize(const std::string& key, double& value) override;
    void DoDeserialize(const std::string& key, float& value) override;
    void DoDeserialize(const std::string& key, long double& value) override;
    void DoDeserialize(const std::string& key, long long& value) override;
    void DoDeserialize(const std::string& key, unsigned long long& value) override;
    void DoDeserialize(const std::string& key, unsigned int& value) override;
    void DoDeserialize(const std::string& key, int& value) override;
    void DoDeserialize(const std::string& key, unsigned short& value) override;
    void DoDeserialize(const std::string& key, short& value) override;
    void DoDeserialize(const std::string& key, char& value) override;
    void DoDeserialize(const std::string& key, const char*& value) override;
    void DoDeserialize(const std::string& key, bool& value) override;

    void DoBeginChild(unsigned int index) override;
    void DoBeginChild(const std::string& name) override;
    void DoEndChild() override;
    unsigned int DoGetChildCount() override;
    std::string DoGetNodeName() override;
    boost::shared_ptr<SDeserializator> DoClone(const std::wstring& fileName) override;
    bool DoIsAvialableName(const std::string& key) override;
    bool DoIsHaveChild(const std::string& name) override;

private:
    const std::string& Attribute(const std::string& key) const;
    // The composite's element; throws the missing-child text when it is absent.
    boost::shared_ptr<SXML::XMLNode> CompositeChild(const std::string& key) const;

    boost::shared_ptr<SXML::XMLNode> m_Root;
    boost::shared_ptr<SXML::XMLNode> m_Current;
};

} // namespace SCore
