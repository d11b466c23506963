#pragma once
// The parser's error. Deliberately not a TarnCoreException: it passes the context handlers
// untouched, so a parse error reaches whoever catches it with its bare text.

#include <exception>
#include <string>

namespace SCore {
namespace SXML {

class XMLException : public std::exception {
public:
    explicit XMLException(const char* message) : m_Message(message ? message : "") {}
    explicit XMLException(const std::string& message) : m_Message(message) {}

    const char* what() const noexcept override { return m_Message.c_str(); }

private:
    std::string m_Message;
};

} // namespace SXML
} // namespace SCore
