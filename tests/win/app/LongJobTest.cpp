// A split long enough to be watched: the progress dialog, the main window answering
// while it runs, and the two ways it stops early (取消 and the end of the session).
// The box that says how it ended comes once the progress dialog has gone.
#include "tests/win/app/MainDialogSession.h"

#include "res/resource.h"
#include "tests/engine/TestFiles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

// Sparse, so it costs no disk; a job that copies it all lasts seconds.
const std::uint64_t kLongSource = 8000000000u;
const char kSplitCaption[] = "Kavrel分割中....";

// A split of a long source, started and left running.
class LongSplit {
public:
    explicit LongSplit(MainDialogSession& s) : m_s(s)
    {
        WriteSparse(m_strSource, kLongSource, "head", "tail");
        m_written = std::filesystem::last_write_time(m_strSource);
    }

    // Starts the split; returns its progress dialog once it shows, or null.
    HWND Start()
    {
        m_s.Click(IDC_MODE_SPLIT);
        m_s.Click(IDC_SIZE_32MB);
        m_s.SetPathText(m_strSource);
        m_s.PostClick(IDOK);
        HWND hProgress = wintest::WaitForThreadWindow(m_s.UiThread(), "#32770", 15000, m_s.Dialog());
        if (hProgress != nullptr)
            wintest::WaitFor([&] { return Position(hProgress) > 0; });
        return hProgress;
    }

    static LRESULT Position(HWND hProgress)
    {
        return ::SendMessageW(::GetDlgItem(hProgress, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0);
    }

    // The folder holds the source alone, as it was.
    void ExpectSourceAlone() const
    {
        EXPECT_EQ(m_dir.Count(), 1u) << "pieces left behind";
        EXPECT_EQ(std::filesystem::file_size(m_strSource), kLongSource);
        EXPECT_TRUE(std::filesystem::last_write_time(m_strSource) == m_written);
    }

private:
    MainDialogSession& m_s;
    CTempDir m_dir;
    const std::string m_strSource = m_dir.Path("long.bin");
    std::filesystem::file_time_type m_written;
};

}  // namespace

TEST(LongJob, ShowsProgressAnswersAndCancelRemovesThePieces)
{
    MainDialogSession s;
    LongSplit job(s);
    const struct {
        const char* pszHow;
        std::function<void(HWND hProgress)> cancel;
    } ways[] = {
        {"取消", [](HWND hProgress) { wintest::Click(hProgress, IDCANCEL); }},
        {"Esc", [&](HWND) { ::PostMessageW(s.Focus(), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"close box", [](HWND hProgress) { ::PostMessageW(hProgress, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    bool bBoxOverProgress = false;
    s.boxes.onBox = [&](const wintest::MessageBoxRecorder::Box&) { bBoxOverProgress = s.ProgressDialogExists(); };
    s.Run([&] {
        std::size_t nCancelled = 0;
        for (const auto& way : ways) {
            SCOPED_TRACE(way.pszHow);
            HWND hProgress = job.Start();
            ASSERT_NE(hProgress, nullptr) << "no progress dialog";
            EXPECT_EQ(::GetWindow(hProgress, GW_OWNER), s.Dialog());
            EXPECT_EQ(wintest::WindowText(hProgress), kSplitCaption);
            EXPECT_NE(wintest::WindowText(::GetDlgItem(hProgress, IDC_PROGRESS_FILE)).find("long_0"), CString::npos);
            EXPECT_NE(wintest::WindowText(::GetDlgItem(hProgress, IDC_PROGRESS_BYTES)).find("8.00 GB"), CString::npos);
            EXPECT_FALSE(::IsWindowEnabled(s.Dialog())) << "one job at a time";

            // Each time the bar has moved, the main window answers at once.
            for (int i = 0; i < 5; ++i) {
                LRESULT nBefore = LongSplit::Position(hProgress);
                EXPECT_TRUE(wintest::WaitFor([&] { return LongSplit::Position(hProgress) > nBefore; }));
                DWORD_PTR nResult = 0;
                EXPECT_NE(::SendMessageTimeoutW(s.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 100, &nResult), 0)
                    << "the main window did not answer within 100 ms";
            }
            EXPECT_EQ(s.boxes.Boxes().size(), nCancelled) << "a box during the job";

            way.cancel(hProgress);
            ASSERT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hProgress); }, 10000)) << "the job went on";
            s.Sync();
            const auto& boxes = s.boxes.Boxes();
            ASSERT_EQ(boxes.size(), ++nCancelled);
            EXPECT_EQ(boxes.back().text, "已经取消了!\n没有完成的文件都已删除");
            EXPECT_EQ(boxes.back().caption, kSplitCaption);
            EXPECT_EQ(boxes.back().type, static_cast<UINT>(MB_ICONINFORMATION));
            EXPECT_EQ(boxes.back().hOwner, s.Dialog());
            EXPECT_FALSE(bBoxOverProgress);
            job.ExpectSourceAlone();
            // Ready for the next job.
            EXPECT_TRUE(::IsWindowEnabled(s.Dialog()));
        }
    });
}

TEST(LongJob, EndingTheSessionCancelsTheJobBeforeTheProgramGoes)
{
    MainDialogSession s;
    LongSplit job(s);
    s.Run([&] {
        HWND hProgress = job.Start();
        ASSERT_NE(hProgress, nullptr) << "no progress dialog";
        // As the system does: every top-level window is asked, then told. The
        // program may be ended as soon as the last one has answered.
        for (HWND hWnd : {s.Dialog(), hProgress})
            EXPECT_TRUE(::SendMessageW(hWnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        for (HWND hWnd : {s.Dialog(), hProgress})
            ::SendMessageW(hWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        job.ExpectSourceAlone();
        EXPECT_TRUE(s.boxes.Boxes().empty()) << "a box while the session ends";

        EXPECT_TRUE(wintest::WaitFor([&] { return !::IsWindow(hProgress); }));
        s.Sync();
        EXPECT_TRUE(s.boxes.Boxes().empty()) << "nobody is left to read a box";
    });
}
