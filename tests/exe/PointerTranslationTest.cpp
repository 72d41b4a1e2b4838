#include "exe/PointerTranslation.h"
#include "exe/Edition.h"

#include <gtest/gtest.h>

using namespace tarvix;

TEST(EditionTest, RecognisedOnlyByExactLengthAndExactTag)
{
    EXPECT_EQ(editionForLength(760320), &kDiablo);
    EXPECT_EQ(editionForLength(859136), &kHellfire);
    for (std::uint64_t length : {760319ull, 760321ull, 859135ull, 859137ull, 0ull})
        EXPECT_EQ(editionForLength(length), nullptr) << length;

    EXPECT_EQ(editionForTag("diablo7"), &kDiablo);
    EXPECT_EQ(editionForTag("hell1"), &kHellfire);
    for (const char* tag : {"Diablo7", "HELL1", "diablo", "hell1 ", ""})
        EXPECT_EQ(editionForTag(tag), nullptr) << tag;

    EXPECT_EQ(byEdition<int>("diablo7", 1, 2), 1);
    EXPECT_EQ(byEdition<int>("hell1", 1, 2), 2);
    EXPECT_FALSE(byEdition<int>("hell2", 1, 2).has_value());
}

TEST(PointerTranslationTest, SubtractsTheDeltaIn32Bits)
{
    EXPECT_EQ(translatePointer(0x490648, kDiablo.pointerDelta), 0x8E448u);
    EXPECT_EQ(translatePointer(0x4A1BC8, kHellfire.pointerDelta), 0xA05C8u);
    // A pointer below the delta wraps rather than going negative; such an offset lies
    // far outside any file and reads as nothing.
    EXPECT_EQ(translatePointer(0x100, kDiablo.pointerDelta), 0xFFBFDF00u);
}

TEST(PointerTranslationTest, HighRangeTakesHellfireDeltaOnlyInsideItsInclusiveBounds)
{
    const std::uint32_t diablo = kDiablo.pointerDelta;
    EXPECT_EQ(translateHighRangePointer(0x47A3F0, diablo), 0x47A3F0u - 0x401600u);
    EXPECT_EQ(translateHighRangePointer(0x4833FF, diablo), 0x4833FFu - 0x401600u);
    EXPECT_EQ(translateHighRangePointer(0x47B600, diablo), 0x7A000u);
    // One outside either bound takes the edition's own delta.
    EXPECT_EQ(translateHighRangePointer(0x47A3EF, diablo), 0x47A3EFu - 0x402200u);
    EXPECT_EQ(translateHighRangePointer(0x483400, diablo), 0x483400u - 0x402200u);

    // Hellfire's delta is the high-range delta, so both branches agree.
    for (std::uint32_t pointer : {0x47A3EFu, 0x47A3F0u, 0x4833FFu, 0x483400u})
        EXPECT_EQ(translateHighRangePointer(pointer, kHellfire.pointerDelta), pointer - 0x401600u) << pointer;
}
