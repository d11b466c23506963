#include "engine/core/xml/XMLParser.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/xml/XMLArena.h"
#include "engine/core/xml/XMLException.h"

#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

static const char* const kTarnSource = "Src\\XMLParser";

namespace SCore {
namespace SXML {

namespace {

const int kEnd = -1;

// What each character is to the scanner, one table lookup per character: line breaks are
// dropped wherever they stand, blanks are skipped between elements. The dialect counts TAB and
// the control character 0x06 as line breaks too (and VT and FF not): files indent with tabs and
// may carry 0x06 where a break was, and neither may end up inside a name or a value, while
// spaces stay as written.
enum : unsigned char { kLineBreak = 1, kBlank = 2 };

struct CharClasses {
    unsigned char of[256];
    constexpr CharClasses() : of()
    {
        of[static_cast<unsigned char>('\n')] = kLineBreak | kBlank;
        of[static_cast<unsigned char>('\r')] = kLineBreak | kBlank;
        of[static_cast<unsigned char>('\t')] = kLineBreak | kBlank;
        of[static_cast<unsigned char>('\x06')] = kLineBreak | kBlank;
        of[static_cast<unsigned char>(' ')] = kBlank;
    }
};

constexpr CharClasses kClasses;

inline bool Is(char c, unsigned char classes)
{
    return (kClasses.of[static_cast<unsigned char>(c)] & classes) != 0;
}

const std::string kNoName;

#if defined(__SSE2__)
// The line-break characters among sixteen bytes, as a byte mask.
inline __m128i LineBreaks(__m128i v)
{
    return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))),
                        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\x06'))));
}
#endif

// The first character in [pos, end) that is `stop`, `otherStop` or a line break (end if none):
// sixteen at a time where the processor can, the rest by the table.
inline const char* FindStop(const char* pos, const char* end, char stop, char otherStop)
{
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8(stop), b = _mm_set1_epi8(otherStop);
    for (; end - pos >= 16; pos += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pos));
        const __m128i stops = _mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b));
        const int hits = _mm_movemask_epi8(_mm_or_si128(stops, LineBreaks(v)));
        if (hits)
            return pos + __builtin_ctz(static_cast<unsigned>(hits));
    }
#endif
    while (pos < end && *pos != stop && *pos != otherStop && !Is(*pos, kLineBreak))
        ++pos;
    return pos;
}

// The first occurrence of a marker that starts with "<?" or "?": found by its rare '?' instead
// of at every '<' of the document.
std::size_t Find(const std::string& text, const char* marker)
{
    const std::size_t length = std::strlen(marker);
    const std::size_t question = marker[0] == '?' ? 0 : 1;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* q = begin + question; q < end;) {
        q = static_cast<const char*>(std::memchr(q, '?', end - q));
        if (!q)
            break;
        const char* const start = q - question;
        if (static_cast<std::size_t>(end - start) >= length && std::memcmp(start, marker, length) == 0)
            return start - begin;
        ++q;
    }
    return std::string::npos;
}

// Out of the scanner's way, so that its small steps stay inline.
[[noreturn]] __attribute__((noinline, cold)) void Fail(const char* failure)
{
    throw XMLException(failure);
}

} // namespace

XMLParser::XMLParser() : m_Cursor(nullptr), m_End(nullptr), m_Arena(nullptr) {}

XMLParser::~XMLParser() = default;

int XMLParser::Current() const
{
    return m_Cursor < m_End ? static_cast<unsigned char>(*m_Cursor) : kEnd;
}

void XMLParser::NextSymbol(const char* failure)
{
    if (m_Cursor >= m_End)
        Fail(failure);
    ++m_Cursor;
    while (m_Cursor < m_End && Is(*m_Cursor, kLineBreak))
        ++m_Cursor;
}

void XMLParser::SkipBlanks()
{
#if defined(__SSE2__)
    // Indentation runs are often longer than a few bytes: sixteen at a time.
    while (m_End - m_Cursor >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_Cursor));
        const __m128i blanks = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), LineBreaks(v));
        const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(blanks)) & 0xFFFFu;
        if (others) {
            m_Cursor += __builtin_ctz(others);
            return;
        }
        m_Cursor += 16;
    }
#endif
    while (m_Cursor < m_End && Is(*m_Cursor, kBlank))
        ++m_Cursor;
}

void XMLParser::CollectUntil(char stop, const char* failure, std::string& out)
{
    // Most texts are short and whole: look at the first bytes directly.
    const std::ptrdiff_t kShort = 32;
    const char* const start = m_Cursor;
    const char* const shortEnd = m_End - start > kShort ? start + kShort : m_End;
    const char* const pos = FindStop(start, shortEnd, stop, stop);
    if (pos < shortEnd && *pos == stop) {
        if (pos != start)
            out.append(start, pos - start);
        m_Cursor = pos;
        return;
    }
    CollectLong(stop, failure, out);
}

__attribute__((noinline)) void XMLParser::CollectLong(char stop, const char* failure, std::string& out)
{
    // Long texts (the gesture network's weights) dominate parsing: find the end first, then
    // copy the runs between line-break characters.
    const char* const end = static_cast<const char*>(std::memchr(m_Cursor, stop, m_End - m_Cursor));
    if (!end) {
        m_Cursor = m_End;
        Fail(failure);
    }
    out.reserve(out.size() + (end - m_Cursor));
    const char* pos = m_Cursor;
    while (pos < end) {
        const char* const start = pos;
        pos = FindStop(pos, end, stop, stop);
        out.append(start, pos - start);
        while (pos < end && Is(*pos, kLineBreak))
            ++pos;
    }
    m_Cursor = end;
}

void XMLParser::CollectName(const char* failure, std::string& out)
{
    const char* pos = m_Cursor;
    for (;;) {
        const char* const start = pos;
        pos = FindStop(pos, m_End, ' ', '>');
        out.append(start, pos - start);
        if (pos >= m_End) {
            m_Cursor = m_End;
            Fail(failure);
        }
        if (!Is(*pos, kLineBreak))
            break;
        while (pos < m_End && Is(*pos, kLineBreak))
            ++pos;
    }
    m_Cursor = pos;
}

boost::shared_ptr<XMLNode> XMLParser::NewNode()
{
    return m_Arena->Make<XMLNode>(kNoName);
}

boost::shared_ptr<XMLAttribute> XMLParser::NewAttribute()
{
    return m_Arena->Make<XMLAttribute>(kNoName, kNoName, boost::weak_ptr<XMLNode>());
}

void XMLParser::AdoptCompleted(const boost::shared_ptr<XMLNode>& node, std::size_t first)
{
    const auto begin = m_Completed.begin() + first;
    if (begin == m_Completed.end())
        return;
    for (auto it = begin; it != m_Completed.end(); ++it)
        (*it)->m_Parent = node;
    node->m_Children.assign(std::make_move_iterator(begin), std::make_move_iterator(m_Completed.end()));
    m_Completed.erase(begin, m_Completed.end());
}

void XMLParser::Parse(const std::string& text)
{
    TARN_TRY
    m_Cursor = text.data();
    m_End = text.data() + text.size();
    // Editors put a UTF-8 byte-order mark in front of a document; it is no text of it.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        m_Cursor += 3;
    if (Find(text, "<?xml") != std::string::npos) {
        const std::size_t end = Find(text, "?>");
        if (end == std::string::npos)
            throw XMLException("XMLNode not found");
        m_Cursor = text.data() + end + 2;
    }
    // However the parse ends, it lets go of the arena, the waiting elements and the text.
    struct Finish {
        XMLParser& parser;
        ~Finish()
        {
            parser.m_Completed.clear();
            parser.m_Attributes.clear();
            parser.m_Arena->Release();
            parser.m_Arena = nullptr;
            parser.m_Cursor = parser.m_End = nullptr;
        }
    };
    m_Arena = new XMLArena;
    const Finish finish{*this};
    m_Root = NewNode();
    m_Root->m_Name = "root";
    FindNode(m_Root, 0);
    // Text before the first element means a document that is not what it seems (read as empty,
    // its next save would lose everything). What follows a complete element is ignored: it
    // loses nothing, and a stray last line must not cost a file its contents.
    if (m_Cursor < m_End && m_Root->m_Children.empty())
        throw XMLException("text outside the root element");
    TARN_CATCH("XMLParser::Parse")
}

void XMLParser::FindNode(const boost::shared_ptr<XMLNode>& parent, int depth)
{
    TARN_TRY
    while (m_Cursor < m_End) {
        SkipBlanks();
        if (Current() != '<')
            return;
        const char* const open = m_Cursor;
        NextSymbol("XMLNode not found");
        if (Current() == '/') {
            // The parent's close tag: leave it for CheckCloseTag.
            m_Cursor = open;
            return;
        }

        boost::shared_ptr<XMLNode> node = NewNode();
        CollectName("XMLNode not found", node->m_Name);
        if (node->m_Name.empty())
            throw XMLException("XMLNode name not found");
        if (depth >= kMaxDepth)
            throw XMLException("XML nesting too deep");

        FindAttributes(node);
        const std::size_t firstChild = m_Completed.size();
        FindNode(node, depth + 1);
        FindValue(node);
        CheckCloseTag(node);

        // Only completed elements join the tree: the document's top-level ones at once (a failed
        // parse keeps them), the others with their parent.
        AdoptCompleted(node, firstChild);
        if (depth == 0) {
            node->m_Parent = parent;
            parent->m_Children.push_back(std::move(node));
        } else {
            m_Completed.push_back(std::move(node));
        }
    }
    TARN_CATCH("XMLParser::FindNode")
}

void XMLParser::FindAttributes(const boost::shared_ptr<XMLNode>& node)
{
    TARN_TRY
    static const char* const kMissing = "XMLAttribute not found";
    if (Current() == '>') {
        NextSymbol("XMLNode not found");
        return;
    }
    while (Current() == ' ')
        NextSymbol(kMissing);
    m_Attributes.clear();
    for (;;) {
        // Everything up to "=" is the name, blanks, quotes and ">" included. The usual
        // name="value" with no line break in it is made at once from the two texts.
        const char* const equals = FindStop(m_Cursor, m_End, '=', '=');
        const char* const valueEnd =
            m_End - equals > 2 && *equals == '=' && equals[1] == '"' ? FindStop(equals + 2, m_End, '"', '"') : m_End;
        boost::shared_ptr<XMLAttribute> attribute = NewAttribute();
        if (valueEnd < m_End && *valueEnd == '"') {
            // Straight into the attribute's own strings: no texts made on the way.
            attribute->m_Name.assign(m_Cursor, equals);
            attribute->m_Value.assign(equals + 2, valueEnd);
            m_Cursor = valueEnd;
        } else {
            CollectUntil('=', kMissing, attribute->m_Name);
            NextSymbol(kMissing);
            if (Current() != '"')
                throw XMLException("XMLAttribute start \" symbol not found");
            NextSymbol(kMissing);
            CollectUntil('"', kMissing, attribute->m_Value);
        }
        attribute->m_Owner = node;
        m_Attributes.push_back(std::move(attribute));

        NextSymbol(kMissing);
        while (Current() == ' ')
            NextSymbol(kMissing);
        if (Current() == '>') {
            node->m_Attributes.assign(std::make_move_iterator(m_Attributes.begin()),
                                      std::make_move_iterator(m_Attributes.end()));
            m_Attributes.clear();
            NextSymbol("Value not found");
            return;
        }
    }
    TARN_CATCH("XMLParser::FindAttributes")
}

void XMLParser::FindValue(const boost::shared_ptr<XMLNode>& node)
{
    TARN_TRY
    CollectUntil('<', "Value not found", node->m_Value);
    TARN_CATCH("XMLParser::FindValue")
}

void XMLParser::CheckCloseTag(const boost::shared_ptr<XMLNode>& node)
{
    TARN_TRY
    static const char* const kMissing = "CloseTag not found";
    NextSymbol(kMissing);
    if (Current() != '/')
        throw XMLException("CloseTag symbol '/' not found");
    NextSymbol(kMissing);
    const std::string& name = node->m_Name;
    // The usual close tag: the name as it stands, then ">".
    if (static_cast<std::size_t>(m_End - m_Cursor) > name.size() && m_Cursor[name.size()] == '>' &&
        std::memcmp(m_Cursor, name.data(), name.size()) == 0) {
        m_Cursor += name.size();
        NextSymbol(kMissing);
        return;
    }
    const char* const close = static_cast<const char*>(std::memchr(m_Cursor, '>', m_End - m_Cursor));
    if (!close) {
        m_Cursor = m_End;
        throw XMLException(kMissing);
    }
    // Compared where it stands, line breaks skipped as when a name is collected.
    std::size_t matched = 0;
    bool same = true;
    for (const char* pos = m_Cursor; same && pos < close; ++pos) {
        if (Is(*pos, kLineBreak))
            continue;
        same = matched < name.size() && name[matched] == *pos;
        ++matched;
    }
    same = same && matched == name.size();
    m_Cursor = close;
    NextSymbol(kMissing);
    if (!same)
        throw XMLException(kMissing);
    TARN_CATCH("XMLParser::CheckCloseTag")
}

} // namespace SXML
} // namespace SCore
