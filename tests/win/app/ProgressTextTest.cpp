// The progress dialog's figures where they tend to go wrong: units that switch,
// percentages and times that round, and speeds not yet known.
#include "app/ProgressText.h"

#include <gtest/gtest.h>

TEST(ProgressText, BytesDone)
{
    const struct {
        std::uint64_t nDone, nTotal;
        const char* pszExpected;
    } rows[] = {
        {0, 0, ""},
        {0, 64000001, "已完成：0.0 MB / 64.0 MB (0%)"},
        // 100% only when every byte is there.
        {1999999999, 2000000000, "已完成：2.00 GB / 2.00 GB (99%)"},
        {2000000000, 2000000000, "已完成：2.00 GB / 2.00 GB (100%)"},
        // Never "1000.0 MB".
        {999949999, 999960000, "已完成：999.9 MB / 1.00 GB (99%)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatBytesDone(row.nDone, row.nTotal), row.pszExpected) << row.nDone << " of " << row.nTotal;
}

TEST(ProgressText, SpeedAndTimeLeft)
{
    const struct {
        std::uint64_t nDone, nTotal;
        double dSeconds;
        const char* pszSpeed;
        const char* pszLeft;
    } rows[] = {
        {0, 100000000, 5.0, "速度：--", "剩余时间：--"},
        {50000000, 100000000, 0.1, "速度：--", "剩余时间：--"},
        {50000000, 100000000, 1.0, "速度：50.0 MB/秒", "剩余时间：1秒"},
        // A fraction of a second left is still a second.
        {99000000, 100000000, 2.0, "速度：49.5 MB/秒", "剩余时间：1秒"},
        {10000000, 71000000, 10.0, "速度：1.0 MB/秒", "剩余时间：1分01秒"},
        {1000000, 4000000000u, 1.0, "速度：1.0 MB/秒", "剩余时间：1小时06分"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nDone << " of " << row.nTotal << " in " << row.dSeconds << " s");
        EXPECT_EQ(FormatSpeed(row.nDone, row.dSeconds), row.pszSpeed);
        EXPECT_EQ(FormatTimeLeft(row.nDone, row.nTotal, row.dSeconds), row.pszLeft);
    }
}
