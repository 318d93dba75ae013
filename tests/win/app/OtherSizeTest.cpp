// Splits at a size of the user's own, from the dialog on real files: typed into the
// field beside 其他 or chosen from its list; entries the field does not take; and the
// two described sizes as before once 其他 was used.
#include "tests/win/app/MainDialogSession.h"

#include "app/SizeField.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "res/resource.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// The lengths of s_001.bin, s_002.bin, ... in dir, which are removed with the record
// so that the next split starts afresh.
std::vector<std::uint64_t> TakePieces(const CTempDir& dir)
{
    std::vector<std::uint64_t> lengths;
    for (int n = 1;; ++n) {
        const std::string strPiece = dir.Path(AfxFormat("s_%03d.bin", n));
        CFile piece;
        if (!piece.Open(strPiece, CFile::modeRead))
            break;
        lengths.push_back(piece.GetLength());
        piece.Close();
        RemoveFile(strPiece);
    }
    RemoveFile(dir.Path("s.bin.sha256"));
    return lengths;
}

void ChooseOther(MainDialogSession& s, const std::string& strSource)
{
    s.Click(IDC_MODE_SPLIT);
    s.Click(IDC_SIZE_OTHER);
    s.SetPathText(strSource);
}

}  // namespace

TEST(OtherSize, EachRefusedEntryGivesOneBoxAndWritesNothing)
{
    using F = SizeFieldFault;
    const struct {
        const char* pszEntry;
        SizeFieldFault fault;
    } rows[] = {
        {"", F::Empty}, {"0", F::OutOfRange}, {"1000000", F::OutOfRange}, {"12.5", F::NotWholeNumber},
        {"abc", F::NotWholeNumber},
    };
    CTempDir dir;
    WriteSparse(dir.Path("s.bin"), 3000001, "head", "tail");
    MainDialogSession s;
    s.Run([&] {
        ChooseOther(s, dir.Path("s.bin"));
        for (const auto& row : rows) {
            SCOPED_TRACE(row.pszEntry);
            const std::size_t nBoxes = s.boxes.Boxes().size();
            wintest::SetWindowText(s.Item(IDC_SIZE_OTHER_MB), row.pszEntry);
            s.Click(IDOK);
            ASSERT_EQ(s.boxes.Boxes().size(), nBoxes + 1);
            const auto& box = s.boxes.Boxes().back();
            EXPECT_EQ(box.text, SizeFieldRefusal(row.fault));
            EXPECT_EQ(box.caption, "Kavrel：你出错了");
            EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONEXCLAMATION));
            EXPECT_EQ(box.hOwner, s.Dialog());
            EXPECT_EQ(dir.Count(), 1u) << "nothing but the source";
            // Back in the field, to type the size again.
            EXPECT_EQ(::GetParent(s.Focus()), s.Item(IDC_SIZE_OTHER_MB));
        }
    });
}

// One source of 100,000,001 bytes, cut at a size chosen from the list, at a typed
// one, then at 32MB and 64MB again.
TEST(OtherSize, SplitsAtTheChosenOrTypedSizeAndTheDescribedSizesStay)
{
    CTempDir dir;
    WriteSparse(dir.Path("s.bin"), 100000001, "head", "tail");
    MainDialogSession s;
    s.Run([&] {
        ChooseOther(s, dir.Path("s.bin"));
        // Chosen with the arrow keys in the field's list, as a user would.
        ::SendMessageW(s.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(s.Item(IDC_SIZE_OTHER_MB)), TRUE);
        // Keys go to the field's edit, where the focus is; a busy machine may hand over
        // the focus late, so the keys go on until the last entry shows (it stays there).
        const HWND hEdit = ::GetWindow(s.Item(IDC_SIZE_OTHER_MB), GW_CHILD);
        for (int i = 0; i < 100 && s.Text(IDC_SIZE_OTHER_MB) != "25 (e-mail)"; ++i) {
            ::PostMessageW(hEdit, WM_KEYDOWN, VK_DOWN, 1);
            ::PostMessageW(hEdit, WM_KEYUP, VK_DOWN, 0xC0000001);
            s.Sync();
        }
        ASSERT_EQ(s.Text(IDC_SIZE_OTHER_MB), "25 (e-mail)");
        s.Click(IDOK);
        EXPECT_EQ(s.Form().m_nPieceSizeK, 25000);
        EXPECT_EQ(TakePieces(dir), (std::vector<std::uint64_t>{25000000, 25000000, 25000000, 25000000, 1}));

        wintest::SetWindowText(s.Item(IDC_SIZE_OTHER_MB), "");
        s.TypeSize("100");
        s.Click(IDOK);
        EXPECT_EQ(s.Form().m_nPieceSizeK, 100000);
        EXPECT_EQ(TakePieces(dir), (std::vector<std::uint64_t>{100000000, 1}));

        s.Click(IDC_SIZE_32MB);
        s.Click(IDOK);
        EXPECT_EQ(s.Form().m_nPieceSizeK, 32000);
        EXPECT_EQ(TakePieces(dir), (std::vector<std::uint64_t>{32000000, 32000000, 32000000, 4000001}));

        s.Click(IDC_SIZE_64MB);
        s.Click(IDOK);
        EXPECT_EQ(s.Form().m_nPieceSizeK, 64000);
        EXPECT_EQ(TakePieces(dir), (std::vector<std::uint64_t>{64000000, 36000001}));

        // Four completions and no other box: 其他 and its field never count as no size.
        for (const auto& box : s.boxes.Boxes())
            EXPECT_EQ(box.caption, "Kavrel：完成了！") << box.text;
        EXPECT_EQ(s.boxes.Boxes().size(), 4u);
    });
}

// A size too small for the piece numbers names the smallest that would do.
TEST(OtherSize, TooManyPiecesSuggestsALargerSize)
{
    CTempDir dir;
    WriteSparse(dir.Path("s.bin"), 999000000, "head", "tail");
    MainDialogSession s;
    s.Run([&] {
        ChooseOther(s, dir.Path("s.bin"));
        s.TypeSize("1");
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 1u);
        EXPECT_NE(s.boxes.Boxes()[0].text.find("至少2MB"), CString::npos) << s.boxes.Boxes()[0].text;
        EXPECT_EQ(dir.Count(), 1u);
    });
}
