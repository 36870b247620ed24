#include "engine/core/DObject.h"

#include "foundation/DMemory.h"

void* DObject::operator new(std::size_t size) noexcept
{
    return dAlloc(size);
}

void DObject::operator delete(void* block) noexcept
{
    dFree(block);
}
