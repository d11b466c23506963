#pragma once
// The engine's one error type. A failure carries only its text; every method it passes through
// appends its call site, so the text that reaches a top-level handler reads innermost first.

#include <exception>
#include <string>

namespace SCore {

class TarnCoreException : public std::exception {
public:
    explicit TarnCoreException(const char* message) : m_Message(message ? message : "") {}
    explicit TarnCoreException(const std::string& message) : m_Message(message) {}
    TarnCoreException(const TarnCoreException&) = default;
    TarnCoreException& operator=(const TarnCoreException&) = default;
    ~TarnCoreException() override = default;

    const char* what() const noexcept override { return m_Message.c_str(); }

private:
    std::string m_Message;
};

// Throws a plain TarnCoreException: the caught text, " ", the method, " ", the logical source
// path, " at:", the line. Whatever type was caught, the rethrown one is TarnCoreException.
[[noreturn]] void ThrowWithContext(const TarnCoreException& caught, const char* method,
                                   const char* sourcePath, int line);

// A failed check that holds in release builds too; throws SEngineException with the text.
[[noreturn]] void ThrowAssertion(const char* text);

} // namespace SCore

// Every method that can fail wraps its body in this pair. The source file declares its logical
// path once, as `static const char* const kTarnSource = "Src\\ClassName";`.
#define TARN_TRY try {
#define TARN_CATCH(method)                                                                 \
    }                                                                                      \
    catch (const ::SCore::TarnCoreException& tarnCaught_) {                                \
        ::SCore::ThrowWithContext(tarnCaught_, method, kTarnSource, __LINE__);             \
    }

// An assertion of the engine: a check kept in release builds, failing with its own text.
#define TARN_ASSERT(condition)                                                             \
    do {                                                                                   \
        if (!(condition)) ::SCore::ThrowAssertion(#condition);                             \
    } while (0)
