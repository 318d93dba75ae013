// Link launching against the registry of this test's own Wine prefix: the .htm class
// and its open command are written here, and the recorder program stands in for the
// handler, so every started command line can be read back.
#include "controls/HyperLink.h"
#include "framework/portable/Utf16.h"
#include "tests/engine/TestFiles.h"
#include "tests/win/controls/LinkTestUtil.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char kClass[] = "TosvikTest.Page";
const char kCommandKey[] = "TosvikTest.Page\\shell\\open\\command";
// No program is registered for this scheme, so the shell gives up with SE_ERR_NOASSOC.
const char kUnopenable[] = "tosvikunreg:page";

void DeleteKey(const std::string& strKey)
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, Widen(strKey).c_str());
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, Widen(strKey).c_str());
}

void SetDefaultValue(const std::string& strKey, DWORD dwType, const std::string& data)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CLASSES_ROOT, Widen(strKey).c_str(), 0, nullptr,
                                               0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetValueExW(hKey, nullptr, 0, dwType, reinterpret_cast<const BYTE*>(data.data()),
                               static_cast<DWORD>(data.size())));
    ::RegCloseKey(hKey);
}

// Text as the registry keeps it, in UTF-16; with its terminator, as registry editors
// write it, unless asked otherwise.
std::string Stored(const std::wstring& text, bool bTerminated = true)
{
    return std::string(reinterpret_cast<const char*>(text.c_str()),
                       (text.size() + (bTerminated ? 1 : 0)) * sizeof(wchar_t));
}

void SetText(const std::string& strKey, const std::string& strText)
{
    SetDefaultValue(strKey, REG_SZ, Stored(Widen(strText)));
}

std::string Quoted(const std::string& strPath)
{
    return "\"" + strPath + "\"";
}

// A word that the system's code page holds beyond ASCII, for the code pages the tests
// run under (the locales zh_CN, en_US and C); empty for another.
std::string WordOfTheCodePage()
{
    switch (::GetACP()) {
    case 936:
        return "链接";
    case 1252:
        return "café";
    case CP_UTF8:
        return "한국어😀";
    default:
        return std::string();
    }
}

// Opens strTarget, which must start the recorder, and gives the command line it recorded
// into strRecord. Wine has failed a start of the recorder for reasons of its own (code
// 11, nothing started, in one run of many); one more try tells that from a command
// line that cannot start.
std::string OpenAndRecord(const std::string& strTarget, const std::string& strRecord)
{
    SetRecordFile(strRecord);
    int nCode = CHyperLink::ShellOpen(strTarget.c_str(), SW_SHOW);
    if (nCode == ERROR_BAD_FORMAT && !FileExists(strRecord)) {
        std::cerr << "note: nothing started (code 11); opening " << strTarget << " again\n";
        nCode = CHyperLink::ShellOpen(strTarget.c_str(), SW_SHOW);
    }
    EXPECT_GT(nCode, 32);
    return WaitForRecord(strRecord);
}

// A registry state (set up by fnRegister) under which opening strTarget must start nothing.
struct NoStartCase {
    const char* pszWhat;
    std::function<void()> fnRegister;
    std::string strTarget;
};

class LinkLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteKey(".htm");
        DeleteKey(kClass);
        ASSERT_EQ(SE_ERR_NOASSOC, static_cast<int>(reinterpret_cast<INT_PTR>(::ShellExecuteA(
                                      nullptr, "open", kUnopenable, nullptr, nullptr, SW_SHOW))));
    }

    void TearDown() override
    {
        DeleteKey(".htm");
        DeleteKey(kClass);
    }

    // Registers the recorder-based handler command for .htm files.
    void RegisterHandler(const std::string& strCommand)
    {
        SetText(".htm", kClass);
        SetText(kCommandKey, strCommand);
    }

    // Each case gives nCode and starts no recorder; strExtraKey is the one key beyond
    // .htm and its class that a case may write, cleared before each case and after all.
    void ExpectNothingStarted(const std::vector<NoStartCase>& cases, int nCode,
                              const std::string& strExtraKey)
    {
        const std::string strRecord = m_dir.Path("never.txt");
        SetRecordFile(strRecord);
        for (const NoStartCase& c : cases) {
            SCOPED_TRACE(c.pszWhat);
            DeleteKey(".htm");
            DeleteKey(kClass);
            DeleteKey(strExtraKey);
            c.fnRegister();

            EXPECT_EQ(nCode, CHyperLink::ShellOpen(c.strTarget.c_str(), SW_SHOW));
        }
        DeleteKey(strExtraKey);
        EXPECT_FALSE(FileExists(strRecord));
    }

    CTempDir m_dir;
    const std::string m_strRecorder = Quoted(RecorderPath());
};

TEST_F(LinkLaunch, ShellOpensWhatItCanAndTheFallbackStaysIdle)
{
    RegisterHandler(m_strRecorder + " -fallback \"%1\"");

    std::string strCommand = OpenAndRecord(RecorderPath(), m_dir.Path("shell.txt"));

    EXPECT_NE(std::string::npos, strCommand.find("link_recorder.exe")) << strCommand;
    EXPECT_EQ(std::string::npos, strCommand.find("-fallback")) << strCommand;
}

TEST_F(LinkLaunch, FallbackReplacesThePlaceholderWithTheTarget)
{
    const std::string& r = m_strRecorder;
    const std::string t = kUnopenable;
    struct Case {
        std::string strRegistered;
        std::string strStarted;
    };
    const std::vector<Case> cases = {
        {r + " \"%1\"", r + "  " + t},
        {r + " %1", r + "  " + t},
        {r + " -a %1 \"%1\" -b", r + " -a %1  " + t},
        {r + " -x -y", r + " -x -y " + t},
        {r + " \"%1\" -nohome -new", r + "  " + t},
        {r + " -url=%1", r + " -url= " + t},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].strRegistered);
        RegisterHandler(cases[i].strRegistered);
        std::string strRecord = m_dir.Path("fallback-" + std::to_string(i) + ".txt");

        EXPECT_EQ(cases[i].strStarted, OpenAndRecord(kUnopenable, strRecord));
    }
}

TEST_F(LinkLaunch, LongestCommandLineThatFitsRuns)
{
    // 259 characters of command, a space and 259 of target: 519 plus the terminator.
    std::string strRegistered = m_strRecorder + " -";
    strRegistered.resize(MAX_PATH - 1, 'x');
    std::string strTarget = kUnopenable;
    strTarget.resize(MAX_PATH - 1, 'p');
    RegisterHandler(strRegistered);

    EXPECT_EQ(strRegistered + " " + strTarget, OpenAndRecord(strTarget, m_dir.Path("longest.txt")));
}

// Each of these leaves the fallback without a command to run, so the shell's own code
// comes back; a started recorder would have returned a code above 32.
TEST_F(LinkLaunch, ShellsCodeStandsWhenTheFallbackCannotRun)
{
    const std::string strHandler = m_strRecorder + " \"%1\"";
    std::string strLongest = m_strRecorder + " -";
    strLongest.resize(MAX_PATH - 1, 'x');
    std::string strTooLongTarget = kUnopenable;
    strTooLongTarget.resize(MAX_PATH, 'p');
    const std::string strNumber("\7\0\0\0", 4);

    const std::vector<NoStartCase> cases = {
        {"no .htm key", [] {}, kUnopenable},
        {"class without open command", [] { SetText(".htm", kClass); }, kUnopenable},
        {".htm without a class name",
         [&] {
             SetDefaultValue(".htm", REG_SZ, "");
             SetText("shell\\open\\command", strHandler);
         },
         kUnopenable},
        {"class name too long to read",
         [&] { SetText(".htm", std::string(1000, 'c')); }, kUnopenable},
        {"empty open command",
         [&] {
             SetText(".htm", kClass);
             SetDefaultValue(kCommandKey, REG_SZ, "");
         },
         kUnopenable},
        {"open command that is only the placeholder",
         [&] {
             SetText(".htm", kClass);
             SetText(kCommandKey, " \"%1\" -new");
         },
         kUnopenable},
        {"open command that is a number",
         [&] {
             SetText(".htm", kClass);
             SetDefaultValue(kCommandKey, REG_DWORD, strNumber);
         },
         kUnopenable},
        {"open command too long to read",
         [&] {
             SetText(".htm", kClass);
             SetText(kCommandKey, strHandler + std::string(1000, 'x'));
         },
         kUnopenable},
        {"command line one byte over the buffer",
         [&] {
             SetText(".htm", kClass);
             SetText(kCommandKey, strLongest);
         },
         strTooLongTarget},
    };
    ExpectNothingStarted(cases, SE_ERR_NOASSOC, "shell");
}

TEST_F(LinkLaunch, FailedStartReturnsItsOwnCode)
{
    RegisterHandler(Quoted(m_dir.Path("missing-handler.exe")) + " \"%1\"");

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CHyperLink::ShellOpen(kUnopenable, SW_SHOW));
}

// Beyond ASCII, within the code page: the handler in a folder of such a name gets such
// a target, each character as meant (the recorder reads its command line as UTF-16).
TEST_F(LinkLaunch, HandlerAndTargetBeyondAsciiArriveWhole)
{
    const std::string strWord = WordOfTheCodePage();
    if (strWord.empty())
        GTEST_SKIP() << "no word for code page " << ::GetACP();
    std::string strFolder = m_dir.Path("handler " + strWord);
    ASSERT_TRUE(::CreateDirectoryW(Widen(strFolder).c_str(), nullptr));
    std::string strHandler = strFolder + "\\link_recorder.exe";
    ASSERT_TRUE(::CopyFileW(Widen(RecorderPath()).c_str(), Widen(strHandler).c_str(), FALSE));
    RegisterHandler(Quoted(strHandler) + " \"%1\"");
    std::string strTarget = std::string(kUnopenable) + "/" + strWord;

    EXPECT_EQ(Quoted(strHandler) + "  " + strTarget,
              OpenAndRecord(strTarget, m_dir.Path("beyond-ascii.txt")));
}

// Outside the code page, the target or the handler's command would reach the eight-bit
// calls with "?" in place of what the code page lacks: nothing is started, and the code
// says why.
TEST_F(LinkLaunch, TextOutsideTheCodePageStartsNothing)
{
    if (::GetACP() == CP_UTF8)
        GTEST_SKIP() << "every character fits this system's code page";
    const std::string strHandler = m_strRecorder + " \"%1\"";
    const std::string strFarHandler = Quoted(m_dir.Path("처리기\\link_recorder.exe")) + " \"%1\"";
    const std::vector<NoStartCase> cases = {
        {"Korean target", [&] { RegisterHandler(strHandler); }, "tosvikunreg:한국어"},
        {"target with an emoji", [&] { RegisterHandler(strHandler); }, "tosvikunreg:photo😀"},
        {"target of a file", [&] { RegisterHandler(strHandler); }, m_dir.Path("사진.htm")},
        {"handler in a Korean folder", [&] { RegisterHandler(strFarHandler); }, kUnopenable},
        {"Korean class name",
         [&] {
             SetText(".htm", "TosvikTest.페이지");
             SetText("TosvikTest.페이지\\shell\\open\\command", strHandler);
         },
         kUnopenable},
    };
    ExpectNothingStarted(cases, HLE_NOT_IN_CODE_PAGE, "TosvikTest.페이지");
}

TEST(ReadDefaultValue, GivesTextThatFitsAndEmptyOtherwise)
{
    const char kKey[] = "TosvikTest.Value";
    const std::wstring longest(MAX_PATH - 1, L'v');
    const std::wstring tooLong(MAX_PATH, L'v');
    struct Case {
        const char* pszWhat;
        DWORD dwType;
        std::string strData;
        std::string strExpected;
        LONG nExpected;
    };
    std::vector<Case> cases = {
        {"text", REG_SZ, Stored(L"abc def"), "abc def", ERROR_SUCCESS},
        {"text stored without its terminator", REG_SZ, Stored(L"abcde", false), "abcde",
         ERROR_SUCCESS},
        {"expandable text", REG_EXPAND_SZ, Stored(L"%TEMP%\\x"), "%TEMP%\\x", ERROR_SUCCESS},
        {"empty text", REG_SZ, "", "", ERROR_SUCCESS},
        {"longest text", REG_SZ, Stored(longest), std::string(MAX_PATH - 1, 'v'), ERROR_SUCCESS},
        {"longest text without terminator", REG_SZ, Stored(longest, false),
         std::string(MAX_PATH - 1, 'v'), ERROR_SUCCESS},
        {"text one character too long", REG_SZ, Stored(tooLong), "", ERROR_SUCCESS},
        {"too long without terminator", REG_SZ, Stored(tooLong, false), "", ERROR_SUCCESS},
        {"number", REG_DWORD, std::string("AAAA"), "", ERROR_SUCCESS},
        {"binary", REG_BINARY, std::string("abc", 4), "", ERROR_SUCCESS},
    };
    if (::GetACP() != CP_UTF8)
        cases.push_back({"text outside the code page", REG_SZ, Stored(L"처리기 \"%1\""), "",
                         ERROR_NO_UNICODE_TRANSLATION});
    // Two bytes a character in code page 936: what fits MAX_PATH characters may not fit
    // MAX_PATH bytes.
    if (::GetACP() == 936) {
        std::string strLink = "\xC1\xB4";  // 链
        std::string strFits;
        for (int i = 0; i < (MAX_PATH - 1) / 2; ++i)
            strFits += strLink;
        cases.push_back({"double-byte text that fits", REG_SZ,
                         Stored(std::wstring((MAX_PATH - 1) / 2, L'链')), strFits, ERROR_SUCCESS});
        cases.push_back({"double-byte text one byte too long", REG_SZ,
                         Stored(std::wstring(MAX_PATH / 2, L'链')), "", ERROR_SUCCESS});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        DeleteKey(kKey);
        SetDefaultValue(kKey, c.dwType, c.strData);
        char szValue[MAX_PATH] = "untouched";

        EXPECT_EQ(c.nExpected, CHyperLink::ReadDefaultValue(HKEY_CLASSES_ROOT, kKey, szValue));
        EXPECT_EQ(c.strExpected, szValue);
    }

    // Missing default value: the key opens, the text is empty.
    DeleteKey(kKey);
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CLASSES_ROOT, Widen(kKey).c_str(), 0, nullptr,
                                               0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ::RegCloseKey(hKey);
    char szValue[MAX_PATH] = "untouched";
    EXPECT_EQ(ERROR_SUCCESS, CHyperLink::ReadDefaultValue(HKEY_CLASSES_ROOT, kKey, szValue));
    EXPECT_STREQ("", szValue);

    // Missing key: its error, and the buffer as it was.
    DeleteKey(kKey);
    strcpy(szValue, "untouched");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              CHyperLink::ReadDefaultValue(HKEY_CLASSES_ROOT, kKey, szValue));
    EXPECT_STREQ("untouched", szValue);
}

TEST(ReadDefaultValue, SubKeyAndValueMayShareABuffer)
{
    SetText("TosvikTest.Value", "shared");
    char szBuffer[2 * MAX_PATH] = "TosvikTest.Value";

    EXPECT_EQ(ERROR_SUCCESS,
              CHyperLink::ReadDefaultValue(HKEY_CLASSES_ROOT, szBuffer, szBuffer));
    EXPECT_STREQ("shared", szBuffer);
    DeleteKey("TosvikTest.Value");
}

TEST(ShowOpenError, NamesTheReasonInAnExclamationBox)
{
    struct Case {
        int nCode;
        std::string strReason;
    };
    std::vector<Case> cases = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\n"
             "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {HLE_NOT_IN_CODE_PAGE, "The link or the program registered to open it\nholds "
                               "characters that this system's code page cannot carry."},
        {-1, "Unknown Error (-1) occurred."},
        {-2147483647 - 1, "Unknown Error (-2147483648) occurred."},
    };
    for (int nCode : {1, 4, 6, 7, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25})
        cases.push_back({nCode, "Unknown Error (" + std::to_string(nCode) + ") occurred."});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.nCode);
        wintest::MessageBoxRecorder boxes;

        CHyperLink::ShowOpenError(c.nCode);

        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("Can't open link:\n\n" + c.strReason, boxes.Boxes()[0].text);
        EXPECT_EQ("link_launch_tests", boxes.Boxes()[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
    }
}

}  // namespace
