#include "engine/PieceNames.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// "誠" in code page 936 is D5 5C: its trail byte is '\'.
const char kTrail5C[] = "誠";
static_assert(sizeof kTrail5C == 3, "a double-byte character");

TEST(PieceNames, TrailByteIsBackslash)
{
    ASSERT_EQ(static_cast<unsigned char>(kTrail5C[1]), 0x5C);
}

TEST(PieceNames, FirstPieceAndBack)
{
    const std::string w = kTrail5C;
    struct { std::string source, first; } rows[] = {
        {"C:\\work\\report.txt", "C:\\work\\report_001.txt"},
        {"C:\\work\\archive.tar.gz", "C:\\work\\archive_001.tar.gz"},
        {"C:\\work\\README", "C:\\work\\README_001"},
        {"C:\\a\\b.c\\file.txt", "C:\\a\\b.c\\file_001.txt"},
        {"C:\\a\\b.c\\file", "C:\\a\\b.c\\file_001"},
        {"/home/u.v/data.bin", "/home/u.v/data_001.bin"},
        {"C:/mixed\\sep.x/y.z", "C:/mixed\\sep.x/y_001.z"},
        {"C:\\d\\.hidden", "C:\\d\\_001.hidden"},
        {".avi", "_001.avi"},
        {"", "_001"},
        {"C:\\d\\a." + w + "b", "C:\\d\\a_001." + w + "b"},
        {"C:\\d.e\\" + w + ".txt", "C:\\d.e\\" + w + "_001.txt"},
        {"C:\\d.e\\" + w, "C:\\d.e\\" + w + "_001"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MakeFirstPieceName(row.source), row.first) << row.source;
        EXPECT_EQ(MakeMergedName(row.first), row.source) << row.first;
        EXPECT_TRUE(HasPieceNumber(row.first)) << row.first;
    }
}

// Every piece of a set merges back into the one name.
TEST(PieceNames, NextPieceOfTheSameSet)
{
    const std::string w = kTrail5C;
    struct { std::string piece; int n; std::string next; } rows[] = {
        {"x_001.dat", 1, "x_002.dat"},
        {"x_001.dat", 9, "x_010.dat"},
        {"x_001.dat", 99, "x_100.dat"},
        {"x_001.dat", 134, "x_135.dat"},
        {"x_001.dat", 998, "x_999.dat"},
        {"x_abc.dat", 1, "x_002.dat"},
        {"C:\\a.b\\x_001.tar.gz", 1, "C:\\a.b\\x_002.tar.gz"},
        {"C:\\d\\README_001", 12, "C:\\d\\README_013"},
        {"C:\\d\\a_001." + w + "b", 9, "C:\\d\\a_010." + w + "b"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MakeNextPieceName(row.piece, row.n), row.next) << row.piece << " " << row.n;
        EXPECT_EQ(MakeMergedName(row.next), MakeMergedName(row.piece)) << row.next;
    }
}

TEST(PieceNames, PieceNumberMustLieInFileName)
{
    struct { std::string name; bool expected; } rows[] = {
        {"x_001.dat", true},
        {"x_abc.dat", true},
        {"data_001", true},
        {"C:\\old.files\\data_001.bin", true},
        {"C:\\d\\_001", true},
        {"x.dat", false},
        {"ab.dat", false},
        {"_01.dat", false},
        {"x-001.dat", false},
        {"C:\\a_\\001.x", false},
        {"C:\\a_/001", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HasPieceNumber(row.name), row.expected) << row.name;
}

} // namespace

namespace {

// Random code page 936 file names whose double-byte characters have the trail bytes
// that look like '\', '_' and digits.
std::string RandomName(std::mt19937& random)
{
    static const char* const kParts[] = {"a", "_", ".", "0", "1", "誠", "乢", "乗", "乛", "两", "Z"};
    std::string name;
    const int nLength = static_cast<int>(random() % 9);
    for (int i = 0; i < nLength; ++i)
        name += kParts[random() % (sizeof kParts / sizeof kParts[0])];
    return name;
}

// The byte positions where characters start, found without the code under test.
std::vector<bool> CharacterStarts(const std::string& name)
{
    std::vector<bool> starts(name.size() + 1, false);
    for (std::size_t i = 0; i <= name.size(); ++i) {
        starts[i] = true;
        if (i < name.size() && static_cast<unsigned char>(name[i]) >= 0x81)
            ++i;
    }
    return starts;
}

TEST(PieceNames, FuzzedDoubleByteNames)
{
    std::mt19937 random(936);
    for (int round = 0; round < 200000; ++round) {
        const std::string path = "C:\\d.x\\" + RandomName(random);
        const std::string first = MakeFirstPieceName(path);
        ASSERT_TRUE(HasPieceNumber(first)) << path;
        ASSERT_EQ(MakeMergedName(first), path);
        ASSERT_EQ(FindFileNameStart(first), FindFileNameStart(path)) << path;
        ASSERT_EQ(MakeMergedName(MakeNextPieceName(first, 41)), path);
        if (HasPieceNumber(path)) {
            const std::size_t a = FindNameAnchor(path);
            ASSERT_EQ(path[a - 4], '_') << path;
            ASSERT_TRUE(CharacterStarts(path)[a - 4]) << "a trail byte taken for '_': " << path;
        }
    }
}

} // namespace
