// The size field's text where reading it tends to go wrong: the ends of the range,
// numbers too long for any integer, text around the number, and the list's own
// entries read back.
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
        {"", F::Empty, 0},
        {" \t ", F::Empty, 0},
        {"\xE3\x80\x80", F::Empty, 0},  // an ideographic space
        {"1", F::None, 1},
        {"999999", F::None, 999999},
        {" 0100 ", F::None, 100},
        {"100MB", F::None, 100},
        {"100 mb", F::None, 100},
        {"4294 (FAT32)", F::None, 4294},
        {"25(e-mail)", F::None, 25},
        {"１００", F::None, 100},
        {"７００（CD）", F::None, 700},
        {"0", F::OutOfRange, 0},
        {"000", F::OutOfRange, 0},
        {"1000000", F::OutOfRange, 0},
        {"-5", F::OutOfRange, 0},
        // Past every integer type: must not wrap round into the range.
        {"18446744073709551617", F::OutOfRange, 0},
        {"99999999999999999999999999999999999999", F::OutOfRange, 0},
        {"12.5", F::NotWholeNumber, 0},
        {"1e3", F::NotWholeNumber, 0},
        {"0x10", F::NotWholeNumber, 0},
        {"+5", F::NotWholeNumber, 0},
        {"-", F::NotWholeNumber, 0},
        {"100 200", F::NotWholeNumber, 0},
        {"100M", F::NotWholeNumber, 0},
        {"100 (FAT32", F::NotWholeNumber, 0},
        {"100)", F::NotWholeNumber, 0},
        {"(FAT32) 4294", F::NotWholeNumber, 0},
        {"一百", F::NotWholeNumber, 0},
        // A lead byte cut short reads as text, not as a digit.
        {"1\xEF\xBC", F::NotWholeNumber, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszText);
        const CSizeFieldValue value = ReadSizeField(row.pszText);
        EXPECT_EQ(value.fault, row.fault);
        if (row.fault == F::None) {
            EXPECT_EQ(value.nSizeMB, row.nSizeMB);
        }
    }
}

TEST(SizeField, EveryChoiceReadsAsItsOwnNumber)
{
    const std::vector<CString> choices = SizeFieldChoices();
    ASSERT_FALSE(choices.empty());
    int nFat32 = 0;
    for (const CString& strChoice : choices) {
        SCOPED_TRACE(strChoice);
        const CSizeFieldValue value = ReadSizeField(strChoice);
        ASSERT_EQ(value.fault, SizeFieldFault::None);
        EXPECT_EQ(strChoice.compare(0, std::to_string(value.nSizeMB).size(), std::to_string(value.nSizeMB)), 0);
        if (strChoice.find("FAT32") != CString::npos)
            nFat32 = value.nSizeMB;
    }
    // The FAT32 entry is the largest whole number of MB that such a volume holds.
    ASSERT_NE(nFat32, 0);
    EXPECT_FALSE(FileTooLongFor("FAT32", std::uint64_t(nFat32) * 1000000));
    EXPECT_TRUE(FileTooLongFor("FAT32", std::uint64_t(nFat32 + 1) * 1000000));
}

TEST(SizeField, EachRefusalSaysWhatIsAllowed)
{
    CString strEmpty = SizeFieldRefusal(SizeFieldFault::Empty);
    CString strNotWhole = SizeFieldRefusal(SizeFieldFault::NotWholeNumber);
    CString strOutOfRange = SizeFieldRefusal(SizeFieldFault::OutOfRange);
    for (const CString& strText : {strEmpty, strNotWhole, strOutOfRange})
        EXPECT_NE(strText.find("1到999999"), CString::npos) << strText;
    EXPECT_NE(strEmpty, strNotWhole);
    EXPECT_NE(strNotWhole, strOutOfRange);
}
