// The folder field as a user meets it: empty with its grey line, filled by the folder
// picker and by a dropped folder, and a split into one folder then a merge from there
// into another that give the file back.
#include "tests/win/app/MainDialogSession.h"

#include "res/resource.h"
#include "tests/engine/TestFiles.h"

#include <gtest/gtest.h>

TEST(TargetFolder, ThePickerFillsTheFieldAndCancelLeavesIt)
{
    CTempDir first;
    CTempDir second;
    MainDialogSession s;
    s.Run([&] {
        EXPECT_TRUE(s.Text(IDC_TARGET_DIR).empty());
        EXPECT_EQ(s.Text(IDC_TARGET_FRAME), "保存到");
        EXPECT_EQ(s.Text(IDC_BROWSE_DIR), "浏览文件夹");
        EXPECT_TRUE(::IsWindowVisible(s.Item(IDC_TARGET_HINT)));

        s.BrowseFolder(first.Folder().c_str());
        EXPECT_EQ(s.Text(IDC_TARGET_DIR), first.Folder());
        s.BrowseFolder(nullptr);
        EXPECT_EQ(s.Text(IDC_TARGET_DIR), first.Folder()) << "cancel keeps the field";
        // Opened in the folder of the field, another one is chosen.
        s.BrowseFolder(second.Folder().c_str());
        EXPECT_EQ(s.Text(IDC_TARGET_DIR), second.Folder());

        // A dropped folder goes to this field, a file to the path field.
        s.Drop({first.Folder()});
        EXPECT_EQ(s.Text(IDC_TARGET_DIR), first.Folder());
        EXPECT_TRUE(s.Text(IDC_PATH).empty());
        EXPECT_FALSE(s.Checked(IDC_MODE_SPLIT) || s.Checked(IDC_MODE_MERGE)) << "a folder chooses no mode";
        s.Drop({second.Path("film.bin")});
        EXPECT_EQ(s.Text(IDC_PATH), second.Path("film.bin"));
        EXPECT_EQ(s.Text(IDC_TARGET_DIR), first.Folder());
        EXPECT_TRUE(s.boxes.Boxes().empty());
    });
}

// The source's folder is only read; the boxes name the files in the chosen folders.
TEST(TargetFolder, SplitIntoOneFolderAndMergeIntoAnotherGiveTheFileBack)
{
    CTempDir source;
    CTempDir stick;
    CTempDir other;
    const std::string bytes = MakeBytes(2500000, 5);
    WriteBytes(source.Path("film.bin"), bytes);
    MainDialogSession s;
    s.Run([&] {
        s.Drop({source.Path("film.bin")});
        s.Click(IDC_SIZE_OTHER);
        s.TypeSize("1");
        s.BrowseFolder(stick.Folder().c_str());
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 1u);
        EXPECT_EQ(s.boxes.Boxes()[0].text,
                  "分割完毕!!\n分割好的文件是" + stick.Path("film_001.bin") + "\n等等类似的名称的就是了");
        EXPECT_EQ(source.Count(), 1u);
        EXPECT_EQ(stick.Count(), 4u) << "three pieces and their record";

        s.Click(IDC_MODE_MERGE);
        s.Drop({stick.Path("film_001.bin")});
        s.Drop({other.Folder()});
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 2u);
        EXPECT_EQ(s.boxes.Boxes()[1].text, "合并完成\n请检查:" + other.Path("film.bin"));
        EXPECT_TRUE(SameBytes(ReadBytes(other.Path("film.bin")), bytes));
        EXPECT_EQ(stick.Count(), 4u);

        // A folder that is not there, longer than the path field takes: one box
        // naming it whole, nothing written.
        const CString strMissing = "Z:\\" + CString(300, 'x');
        wintest::SetWindowText(s.Item(IDC_TARGET_DIR), strMissing);
        s.Drop({source.Path("film.bin")});
        s.Click(IDC_MODE_SPLIT);
        s.Click(IDOK);
        ASSERT_EQ(s.boxes.Boxes().size(), 3u);
        EXPECT_EQ(s.boxes.Boxes()[2].text, "文件夹" + strMissing + "\n不存在,请检查\"保存到\"!");
        EXPECT_EQ(source.Count(), 1u);
    });
}
