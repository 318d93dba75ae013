// The piece size each size choice stands for, in bytes and in the form's thousands,
// and the field's refusals passed on; sizes past 32 bits must not wrap.
#include "app/SizeChoice.h"

#include <gtest/gtest.h>

TEST(SizeChoice, EachChoiceIsAPieceSizeInBytesOrARefusal)
{
    using F = SizeFieldFault;
    const struct {
        int nChoice;
        const char* pszField;
        SizeFieldFault fault;
        std::uint64_t nBytes;
    } rows[] = {
        // None chosen splits as the form started: 32MB.
        {0, "", F::None, 32000000},
        // The field counts only while 其他 is the choice.
        {1, "700", F::None, 32000000},
        {2, "abc", F::None, 64000000},
        {3, "700 (CD)", F::None, 700000000},
        {3, "4294 (FAT32)", F::None, 4294000000u},
        {3, "999999", F::None, 999999000000u},
        {3, "", F::Empty, 0},
        {3, "0", F::OutOfRange, 0},
        {3, "1.5", F::NotWholeNumber, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nChoice << " \"" << row.pszField << '"');
        const CPieceSize size = PieceSizeFor(row.nChoice, row.pszField);
        EXPECT_EQ(size.fault, row.fault);
        EXPECT_EQ(size.nBytes, row.nBytes);
        EXPECT_EQ(static_cast<std::uint64_t>(size.Thousands()) * 1000, row.nBytes);
    }
}
