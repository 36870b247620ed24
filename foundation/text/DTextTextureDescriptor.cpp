#include "foundation/text/DTextTextureDescriptor.h"

#include "foundation/text/DTextHash.h"

DTextTextureDescriptor::~DTextTextureDescriptor() = default;

uint32_t DTextTextureDescriptor::hash() const
{
    return DTextHash::crcWords({DTextHash::lowWord(face), DTextHash::highWord(face), code, colour, width, height,
                                uint32_t(mode)});
}
