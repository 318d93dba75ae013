// The size field's text where reading it goes wrong: the ends of the range, numbers
// too long for any integer, text around the number, and the list's entries read back.
#include "app/SizeField.h"
#include "engine/SizeLimits.h"

#include <gtest/gtest.h>

TEST(SizeField, ReadsAWholeNumberOfMBOrSaysWhyNot)
{
    using F = SizeFieldFault;
    const struct {
        const char* pszText;
        SizeFieldFault fault;
        int nSizeMB;
    } rows[] = {
        {" \t ", F::Empty, 0},
        {"1", F::None, 1},
        {"999999", F::None, 999999},
        {" 0100 MB", F::None, 100},
        {"25(e-mail)", F::None, 25},
        {"７００（CD）", F::None, 700},
        {"0", F::OutOfRange, 0},
        {"1000000", F::OutOfRange, 0},
        {"-5", F::OutOfRange, 0},
        // Past every integer type: must not wrap round into the range.
        {"18446744073709551617", F::OutOfRange, 0},
        {"12.5", F::NotWholeNumber, 0},
        {"100 200", F::NotWholeNumber, 0},
        {"100 (FAT32", F::NotWholeNumber, 0},
        {"(FAT32) 4294", F::NotWholeNumber, 0},
        // A lead byte cut short is text, not a digit.
        {"1\xEF\xBC", F::NotWholeNumber, 0},
    };
    for (const auto& row : rows) {
        const CSizeFieldValue value = ReadSizeField(row.pszText);
        EXPECT_EQ(value.fault, row.fault) << row.pszText;
        EXPECT_EQ(value.nSizeMB, row.nSizeMB) << row.pszText;
    }
}

// Every entry reads as the number it shows; the FAT32 one is the largest whole number
// of MB that such a volume holds in one file.
TEST(SizeField, EveryChoiceReadsAsItsOwnNumber)
{
    int nFat32 = 0;
    for (const CString& strChoice : SizeFieldChoices()) {
        const CSizeFieldValue value = ReadSizeField(strChoice);
        ASSERT_EQ(value.fault, SizeFieldFault::None) << strChoice;
        EXPECT_EQ(strChoice.rfind(std::to_string(value.nSizeMB), 0), 0u) << strChoice;
        if (strChoice.find("FAT32") != CString::npos)
            nFat32 = value.nSizeMB;
    }
    EXPECT_FALSE(FileTooLongFor("FAT32", std::uint64_t(nFat32) * 1000000));
    EXPECT_TRUE(FileTooLongFor("FAT32", std::uint64_t(nFat32 + 1) * 1000000));
}
