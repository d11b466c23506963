#pragma once
// An input of a reader's target: the file's text, then the bytes that drive what was read.

#include <cstdint>
#include <cstring>
#include <string>

// Text up to the first NUL byte (none appears in an XML file), the bytes after it drive the run.
struct FuzzInput {
    FuzzInput(const uint8_t* data, size_t size)
    {
        const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
        const size_t textSize = end ? size_t(end - data) : size;
        text.assign(reinterpret_cast<const char*>(data), textSize);
        if (end) actions.assign(reinterpret_cast<const char*>(end + 1), size - textSize - 1);
    }
    // The next action byte, 0 once they run out.
    uint8_t Next() { return at < actions.size() ? uint8_t(actions[at++]) : 0; }
    bool More() const { return at < actions.size(); }

    std::string text;
    std::string actions;
    size_t at = 0;
};
