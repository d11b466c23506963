#include "engine/core/xml/XMLArena.h"

#include <algorithm>
#include <new>

namespace SCore {
namespace SXML {

namespace {

const std::size_t kFirstBlock = 4096;
// Below the C library's threshold for mapping fresh pages, which would fault on every parse.
const std::size_t kLargestBlock = 64 * 1024;

std::size_t RoundUp(std::size_t bytes)
{
    return (bytes + XMLArena::kAlignment - 1) & ~(XMLArena::kAlignment - 1);
}

} // namespace

XMLArena::XMLArena()
    : m_Blocks(nullptr), m_Next(nullptr), m_Limit(nullptr), m_BlockSize(kFirstBlock), m_Pieces(0),
      m_Live(0)
{
}

XMLArena::~XMLArena()
{
    while (m_Blocks) {
        Block* next = m_Blocks->next;
        ::operator delete(m_Blocks);
        m_Blocks = next;
    }
}

void* XMLArena::AllocateInNewBlock(std::size_t bytes)
{
    const std::size_t header = RoundUp(sizeof(Block));
    const std::size_t size = std::max(m_BlockSize, header + bytes);
    Block* block = static_cast<Block*>(::operator new(size));
    block->next = m_Blocks;
    m_Blocks = block;
    m_Next = reinterpret_cast<char*>(block) + header + bytes;
    m_Limit = reinterpret_cast<char*>(block) + size;
    m_BlockSize = std::min(m_BlockSize * 2, kLargestBlock);
    return reinterpret_cast<char*>(block) + header;
}

void XMLArena::Free() noexcept
{
    if (m_Live.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

void XMLArena::Release() noexcept
{
    const std::ptrdiff_t pieces = static_cast<std::ptrdiff_t>(m_Pieces);
    if (m_Live.fetch_add(pieces, std::memory_order_acq_rel) + pieces == 0) delete this;
}

} // namespace SXML
} // namespace SCore
