#include <gtest/gtest.h>

#include "foundation/text/DTextHash.h"
#include "foundation/text/DTextTextureDescriptor.h"

namespace {

TEST(DTextHash, IsTheSystemsCrcFedWordByWordLowByteFirst)
{
    EXPECT_EQ(DTextHash::crcWords({}), 0u);
    // The bytes "abc" and a zero byte: no initial or final complement.
    EXPECT_EQ(DTextHash::crcWords({0x00636261u}), 0x8619B74Cu);
    EXPECT_EQ(DTextHash::crcWords({1u, 2u}), 0x66A3C815u);
    // Each call starts from 0: nothing carries over.
    EXPECT_EQ(DTextHash::crcWords({1u, 2u}), 0x66A3C815u);
}

TEST(DTextTextureDescriptor, HashesItsWordsAndComparesTheWholeKey)
{
    const auto* face = reinterpret_cast<const DFontFileDescriptor*>(uintptr_t(0x12345678u));
    DTextTextureDescriptor key(face, 'A', 0xFF000000u, 0, 24, 2);
    EXPECT_EQ(key.hash(), DTextHash::crcWords({0x12345678u, 0u, 'A', 0xFF000000u, 0u, 24u, 2u}));

    DTextTextureDescriptor otherMode = key;
    otherMode.mode = 1;
    EXPECT_FALSE(key == otherMode);
    EXPECT_NE(key.hash(), otherMode.hash());

    if constexpr (sizeof(uintptr_t) == 8) {
        // Faces whose addresses agree in the low 32 bits are still two faces.
        DTextTextureDescriptor far = key;
        far.face = reinterpret_cast<const DFontFileDescriptor*>(uintptr_t(0x0000000112345678ull));
        EXPECT_FALSE(key == far);
        EXPECT_NE(key.hash(), far.hash());
    }
    DTextTextureDescriptor same(face, 'A', 0xFF000000u, 0, 24, 2);
    EXPECT_TRUE(key == same);
}

} // namespace
