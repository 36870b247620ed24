#include "foundation/DMemory.h"

#include <cstdlib>

void* dAlloc(std::size_t size)
{
    if (DMemory* memory = DMemory::global())
        return memory->alloc(size);
    return std::malloc(size);
}

void* dRealloc(void* block, std::size_t size)
{
    if (DMemory* memory = DMemory::global())
        return memory->realloc(block, size);
    return std::realloc(block, size);
}

void dFree(void* block)
{
    if (!block)
        return;
    if (DMemory* memory = DMemory::global())
        memory->free(block);
    else
        std::free(block);
}
