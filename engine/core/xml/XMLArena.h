#pragma once
// Memory for the nodes and attributes of one parsed document: taken from the system a block at a
// time and handed out in order, so a document costs a few allocations instead of one per element
// and attribute. The arena outlives its parse: it goes once the parser has released it and every
// object made in it is gone, whichever comes last. Objects are made by the parsing thread only;
// they may die on any thread.

#include <boost/shared_ptr.hpp>

#include <atomic>
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace SCore {
namespace SXML {

class XMLAttribute;

class XMLArena {
public:
    // An object in the arena, owned as usual. The object and its reference counts take a piece
    // each, built directly (boost::allocate_shared would copy and drop a reference on the way).
    template <typename T, typename... Args>
    boost::shared_ptr<T> Make(Args&&... args)
    {
        static_assert(alignof(T) <= kAlignment, "the arena aligns pieces to kAlignment");
        T* object = new (Allocate(sizeof(T))) T(std::forward<Args>(args)...);
        return boost::shared_ptr<T>(object, Destroy<T>(), Allocator<T>(this));
    }

    static constexpr std::size_t kAlignment = alignof(std::max_align_t);

    XMLArena();
    XMLArena(const XMLArena&) = delete;
    XMLArena& operator=(const XMLArena&) = delete;

    // The parser makes no more objects; the arena may go (now, if every object is gone).
    void Release() noexcept;

private:
    // The arena's memory for the reference counts: the last one given back frees the arena.
    template <typename T>
    class Allocator {
    public:
        typedef T value_type;
        explicit Allocator(XMLArena* arena) noexcept : m_Arena(arena) {}
        template <typename U>
        Allocator(const Allocator<U>& other) noexcept : m_Arena(other.m_Arena)
        {
        }
        T* allocate(std::size_t n)
        {
            static_assert(alignof(T) <= kAlignment, "the arena aligns pieces to kAlignment");
            T* piece = static_cast<T*>(m_Arena->Allocate(n * sizeof(T)));
            ++m_Arena->m_Pieces;
            return piece;
        }
        void deallocate(T*, std::size_t) noexcept { m_Arena->Free(); }
        template <typename U>
        bool operator==(const Allocator<U>& other) const noexcept { return m_Arena == other.m_Arena; }
        template <typename U>
        bool operator!=(const Allocator<U>& other) const noexcept { return m_Arena != other.m_Arena; }

        XMLArena* m_Arena;
    };

    // Ends an object; its memory goes with the arena. The pieces given back while it ends (its
    // children's, when a tree comes down) are counted on this thread and handed over once.
    template <typename T>
    struct Destroy {
        void operator()(T* object) const noexcept
        {
            if (!kHoldsArenaObjects<T>) {
                object->T::~T(); // made here as exactly a T
                return;
            }
            BeginTeardown();
            object->T::~T();
            EndTeardown();
        }
    };
    // Whether ending a T can end further objects of its arena (an element's children and
    // attributes); an attribute's end gives back its own pieces only.
    template <typename T>
    static constexpr bool kHoldsArenaObjects = !std::is_same<T, XMLAttribute>::value;
    static void BeginTeardown() noexcept;
    static void EndTeardown() noexcept;

    ~XMLArena();
    // A piece of at least `bytes`, aligned to kAlignment.
    void* Allocate(std::size_t bytes)
    {
        bytes = (bytes + kAlignment - 1) & ~(kAlignment - 1);
        if (static_cast<std::size_t>(m_Limit - m_Next) < bytes)
            return AllocateInNewBlock(bytes);
        void* piece = m_Next;
        m_Next += bytes;
        return piece;
    }
    void* AllocateInNewBlock(std::size_t bytes);
    // A counted piece is given back.
    void Free() noexcept;
    // Gives back `pieces` counted pieces at once.
    void Free(std::ptrdiff_t pieces) noexcept;

    struct Block {
        Block* next;
        std::size_t size;
    };

    Block* m_Blocks;
    char* m_Next;
    char* m_Limit;
    std::size_t m_Pieces; // counted pieces handed out so far
    // Counted pieces given back count down from 0; Release adds the ones handed out. Whoever
    // brings it back to 0 deletes the arena, and before Release it cannot be 0 again.
    std::atomic<std::ptrdiff_t> m_Live;
};

} // namespace SXML
} // namespace SCore
