#include "engine/core/xml/XMLArena.h"

#include <algorithm>
#include <mutex>
#include <new>

namespace SCore {
namespace SXML {

namespace {

const std::size_t kBlockSize = 32 * 1024;

std::size_t RoundUp(std::size_t bytes)
{
    return (bytes + XMLArena::kAlignment - 1) & ~(XMLArena::kAlignment - 1);
}

// Blocks of freed arenas, kept for the next documents: a large allocation makes the C library
// sort through every small block freed since the last one, at each parse.
struct Spares {
    std::mutex lock;
    void* blocks[16];
    std::size_t count = 0;
};

Spares& TheSpares()
{
    static Spares* spares = new Spares; // never destroyed: arenas may die at exit
    return *spares;
}

// Pieces given back on this thread while objects end inside other objects' ends: one atomic
// step for a whole tree instead of one per piece.
struct Teardown {
    int depth;
    XMLArena* arena;
    std::ptrdiff_t pieces;
};

thread_local Teardown t_teardown = {0, nullptr, 0};

} // namespace

XMLArena::XMLArena()
    : m_Blocks(nullptr), m_Next(nullptr), m_Limit(nullptr), m_Pieces(0), m_Live(0)
{
}

XMLArena::~XMLArena()
{
    Spares& spares = TheSpares();
    std::lock_guard<std::mutex> guard(spares.lock);
    while (m_Blocks) {
        Block* next = m_Blocks->next;
        if (m_Blocks->size == kBlockSize && spares.count < sizeof spares.blocks / sizeof spares.blocks[0])
            spares.blocks[spares.count++] = m_Blocks;
        else
            ::operator delete(m_Blocks);
        m_Blocks = next;
    }
}

void* XMLArena::AllocateInNewBlock(std::size_t bytes)
{
    const std::size_t header = RoundUp(sizeof(Block));
    const std::size_t size = std::max(kBlockSize, header + bytes);
    void* memory = nullptr;
    if (size == kBlockSize) {
        Spares& spares = TheSpares();
        std::lock_guard<std::mutex> guard(spares.lock);
        if (spares.count > 0) memory = spares.blocks[--spares.count];
    }
    Block* block = static_cast<Block*>(memory ? memory : ::operator new(size));
    block->next = m_Blocks;
    block->size = size;
    m_Blocks = block;
    m_Next = reinterpret_cast<char*>(block) + header + bytes;
    m_Limit = reinterpret_cast<char*>(block) + size;
    return reinterpret_cast<char*>(block) + header;
}

void XMLArena::Free() noexcept
{
    Teardown& teardown = t_teardown;
    if (teardown.depth == 0) {
        Free(1);
        return;
    }
    // Counted pieces kept back leave m_Live short of 0, so the arena stays until they are handed over.
    if (teardown.arena != this) {
        if (teardown.arena) teardown.arena->Free(teardown.pieces);
        teardown.arena = this;
        teardown.pieces = 0;
    }
    ++teardown.pieces;
}

void XMLArena::Free(std::ptrdiff_t pieces) noexcept
{
    if (m_Live.fetch_sub(pieces, std::memory_order_acq_rel) == pieces) delete this;
}

void XMLArena::BeginTeardown() noexcept
{
    ++t_teardown.depth;
}

void XMLArena::EndTeardown() noexcept
{
    Teardown& teardown = t_teardown;
    if (--teardown.depth > 0 || !teardown.arena)
        return;
    XMLArena* const arena = teardown.arena;
    teardown.arena = nullptr;
    arena->Free(teardown.pieces);
}

void XMLArena::Release() noexcept
{
    const std::ptrdiff_t pieces = static_cast<std::ptrdiff_t>(m_Pieces);
    if (m_Live.fetch_add(pieces, std::memory_order_acq_rel) + pieces == 0) delete this;
}

} // namespace SXML
} // namespace SCore
