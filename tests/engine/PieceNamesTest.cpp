#include "engine/PieceName.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// "誠" is D5 5C in code page 936, whose trail byte reads '\'; names travel as
// UTF-8 now, and the rules must give the same names as they did.
const char kTrail5C[] = "誠";

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
        EXPECT_TRUE(CPieceName(row.first).IsNumbered()) << row.first;
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

// The number lies in the file name. A merge starts from 001, or from a number that
// is not digits; a dropped file is merged only when it is 001.
TEST(PieceNames, PieceNumberMustLieInFileName)
{
    const PieceNameFault OK = PieceNameFault::None;
    const PieceNameFault NONE = PieceNameFault::NoNumber;
    const PieceNameFault LATER = PieceNameFault::LaterPiece;
    struct { std::string name; bool numbered; PieceNameFault merge; bool dropMerges; } rows[] = {
        {"x_001.dat", true, OK, true},
        {"x_abc.dat", true, OK, false},
        {"x_0a1.dat", true, OK, false},
        {"x_002.dat", true, LATER, false},
        {"x_999.dat", true, LATER, false},
        {"x_000.dat", true, LATER, false},
        {"data_001", true, OK, true},
        {"C:\\old.files\\data_001.bin", true, OK, true},
        {"C:\\set_001.d\\movie.avi", false, NONE, false},
        {"C:\\d\\_001", true, OK, true},
        {"x.dat", false, NONE, false},
        {"ab.dat", false, NONE, false},
        {"_01.dat", false, NONE, false},
        {"x-001.dat", false, NONE, false},
        {"x001.dat", false, NONE, false},
        {"C:\\a_\\001.x", false, NONE, false},
        {"C:\\a_/001", false, NONE, false},
    };
    for (const auto& row : rows) {
        const CPieceName name(row.name);
        EXPECT_EQ(name.IsNumbered(), row.numbered) << row.name;
        EXPECT_EQ(name.CheckFirstPiece(), row.merge) << row.name;
        EXPECT_EQ(name.IsFirstPiece(), row.dropMerges) << row.name;
    }
}

// The parts put back together give the path; each lies where the rules say.
TEST(PieceNames, Parts)
{
    const std::string w = kTrail5C;
    struct { std::string path, folder, base; int number; std::string rest; } rows[] = {
        {"C:\\a.b\\x_001.tar.gz", "C:\\a.b\\", "x_001", 1, ".tar.gz"},
        {"C:\\a.b\\x.tar.gz", "C:\\a.b\\", "x", -1, ".tar.gz"},
        {"/u/README_abc", "/u/", "README_abc", -1, ""},
        {"/u/v_1a9.c", "/u/", "v_1a9", -1, ".c"},
        {"/u/v_999.c", "/u/", "v_999", 999, ".c"},
        {"/u/v_000.c", "/u/", "v_000", 0, ".c"},
        {"C:/d\\" + w + "_042." + w, "C:/d\\", w + "_042", 42, "." + w},
        {"_001", "", "_001", 1, ""},
        {"C:\\d\\", "C:\\d\\", "", -1, ""},
    };
    for (const auto& row : rows) {
        const CPieceName name(row.path);
        EXPECT_EQ(name.Folder(), row.folder) << row.path;
        EXPECT_EQ(name.Base(), row.base) << row.path;
        EXPECT_EQ(name.Number(), row.number) << row.path;
        EXPECT_EQ(name.FileName(), row.base + row.rest) << row.path;
    }
}

} // namespace

namespace {

// Random file names: characters of code page 936 whose double-byte form has a trail
// byte that reads '\' or '_', Korean, and characters outside the Basic Multilingual
// Plane, among the bytes the rules look for.
std::string RandomName(std::mt19937& random)
{
    static const char* const kParts[] = {"a", "_", ".", "0", "1", "誠", "乢", "乗", "한", "국", "😀", "𠀋", "Z"};
    std::string name;
    const int nLength = static_cast<int>(random() % 9);
    for (int i = 0; i < nLength; ++i)
        name += kParts[random() % (sizeof kParts / sizeof kParts[0])];
    return name;
}

// True when a UTF-8 character starts at byte i, found without the code under test.
bool StartsCharacter(const std::string& name, std::size_t i)
{
    return (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80;
}

TEST(PieceNames, FuzzedNames)
{
    std::mt19937 random(65001);
    for (int round = 0; round < 200000; ++round) {
        const std::string path = "C:\\d.x\\" + RandomName(random);
        const std::string first = MakeFirstPieceName(path);
        ASSERT_TRUE(CPieceName(first).IsNumbered()) << path;
        ASSERT_EQ(MakeMergedName(first), path);
        ASSERT_EQ(CPieceName(first).Folder(), "C:\\d.x\\") << path;
        ASSERT_EQ(MakeMergedName(MakeNextPieceName(first, 41)), path);
        const CPieceName name(path);
        ASSERT_EQ(name.Folder(), "C:\\d.x\\") << path;
        ASSERT_EQ(name.FileName().compare(0, name.Base().size(), name.Base()), 0) << path;
        const std::string rest = name.FileName().substr(name.Base().size());
        ASSERT_TRUE(rest.empty() || rest[0] == '.') << path;
        ASSERT_EQ(name.Base().find('.'), std::string::npos) << path;
        if (name.IsNumbered()) {
            ASSERT_EQ(name.Base()[name.Base().size() - 4], '_') << path;
            ASSERT_TRUE(StartsCharacter(name.Base(), name.Base().size() - 3)) << "a piece number inside a character: " << path;
        }
    }
}

} // namespace
