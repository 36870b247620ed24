#pragma once
// Root of the engine's classes. Every engine object is created and freed through the
// process-wide allocator; when it has no memory the new-expression yields null and the
// constructor does not run, so callers test the result and skip the object.

#include <cstddef>
#include <new>

class DObject {
public:
    DObject() = default;
    DObject(const DObject&) = default;
    DObject& operator=(const DObject&) = default;
    virtual ~DObject() = default;

    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* block) noexcept;
    static void* operator new[](std::size_t) = delete;
    static void operator delete[](void*) = delete;
};

// Class-level allocation through the engine allocator for engine classes without a DObject base.
#define DECLARE_ENGINE_ALLOCATION()                               \
    static void* operator new(std::size_t size) noexcept          \
    {                                                             \
        return DObject::operator new(size);                       \
    }                                                             \
    static void operator delete(void* block) noexcept             \
    {                                                             \
        DObject::operator delete(block);                          \
    }
