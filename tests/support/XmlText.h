#pragma once
// A reader over XML text, as the level pack makes one; the document's top element is the current
// element's child.

#include "engine/core/serialization/SXMLDeserializator.h"

#include <string>

namespace tarn_test {

class XmlText : public SCore::SXMLDeserializator {
public:
    explicit XmlText(const std::string& text)
    {
        m_Text = text;
        ParseText();
    }
};

} // namespace tarn_test
