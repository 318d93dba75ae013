// Link launching against the registry of this test's own Wine prefix: the .htm class
// and its open command are written here, and the recorder program stands in for the
// handler, so every started command line can be read back.
#include "controls/HyperLink.h"
#include "tests/engine/TestFiles.h"
#include "tests/win/controls/LinkTestUtil.h"
#include "tests/win/framework/WinTestUtil.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char kClass[] = "TosvikTest.Page";
const char kCommandKey[] = "TosvikTest.Page\\shell\\open\\command";
// No program is registered for this scheme, so the shell gives up with SE_ERR_NOASSOC.
const char kUnopenable[] = "tosvikunreg:page";

void DeleteKey(const char* pszKey)
{
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, pszKey);
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, pszKey);
}

void SetDefaultValue(const char* pszKey, DWORD dwType, const void* pData, DWORD cbData)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, nullptr, 0, dwType,
                                              static_cast<const BYTE*>(pData), cbData));
    ::RegCloseKey(hKey);
}

// Text stored with its terminator, as registry editors write it.
void SetText(const char* pszKey, const std::string& strText)
{
    SetDefaultValue(pszKey, REG_SZ, strText.c_str(), static_cast<DWORD>(strText.size() + 1));
}

std::string Quoted(const std::string& strPath)
{
    return "\"" + strPath + "\"";
}

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

    CTempDir m_dir;
    const std::string m_strRecorder = Quoted(RecorderPath());
};

TEST_F(LinkLaunch, ShellOpensWhatItCanAndTheFallbackStaysIdle)
{
    RegisterHandler(m_strRecorder + " -fallback \"%1\"");
    std::string strRecord = m_dir.Path("shell.txt");
    SetRecordFile(strRecord);

    int nCode = CHyperLink::ShellOpen(RecorderPath().c_str(), SW_SHOW);

    EXPECT_GT(nCode, 32);
    std::string strCommand = WaitForRecord(strRecord);
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
        SetRecordFile(strRecord);

        EXPECT_GT(CHyperLink::ShellOpen(kUnopenable, SW_SHOW), 32);
        EXPECT_EQ(cases[i].strStarted, WaitForRecord(strRecord));
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
    std::string strRecord = m_dir.Path("longest.txt");
    SetRecordFile(strRecord);

    EXPECT_GT(CHyperLink::ShellOpen(strTarget.c_str(), SW_SHOW), 32);
    EXPECT_EQ(strRegistered + " " + strTarget, WaitForRecord(strRecord));
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
    const DWORD dwNumber = 7;

    struct Case {
        const char* pszWhat;
        std::function<void()> fnRegister;
        std::string strTarget;
    };
    const std::vector<Case> cases = {
        {"no .htm key", [] {}, kUnopenable},
        {"class without open command", [] { SetText(".htm", kClass); }, kUnopenable},
        {".htm without a class name",
         [&] {
             SetDefaultValue(".htm", REG_SZ, "", 0);
             SetText("shell\\open\\command", strHandler);
         },
         kUnopenable},
        {"class name too long to read",
         [&] { SetText(".htm", std::string(1000, 'c')); }, kUnopenable},
        {"empty open command",
         [&] {
             SetText(".htm", kClass);
             SetDefaultValue(kCommandKey, REG_SZ, "", 0);
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
             SetDefaultValue(kCommandKey, REG_DWORD, &dwNumber, sizeof dwNumber);
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
    const std::string strRecord = m_dir.Path("never.txt");
    SetRecordFile(strRecord);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        DeleteKey(".htm");
        DeleteKey(kClass);
        DeleteKey("shell");
        c.fnRegister();

        EXPECT_EQ(SE_ERR_NOASSOC, CHyperLink::ShellOpen(c.strTarget.c_str(), SW_SHOW));
    }
    DeleteKey("shell");
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strRecord.c_str()));
}

TEST_F(LinkLaunch, FailedStartReturnsItsOwnCode)
{
    RegisterHandler(Quoted(m_dir.Path("missing-handler.exe")) + " \"%1\"");

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CHyperLink::ShellOpen(kUnopenable, SW_SHOW));
}

TEST(ReadDefaultValue, GivesTextThatFitsAndEmptyOtherwise)
{
    const char kKey[] = "TosvikTest.Value";
    const std::string strLongest(MAX_PATH - 1, 'v');
    const std::string strTooLong(MAX_PATH, 'v');
    const DWORD dwNumber = 0x41414141;
    struct Case {
        const char* pszWhat;
        DWORD dwType;
        const void* pData;
        DWORD cbData;
        std::string strExpected;
    };
    const std::vector<Case> cases = {
        {"text", REG_SZ, "abc def", 8, "abc def"},
        {"text stored without its terminator", REG_SZ, "abcde", 5, "abcde"},
        {"expandable text", REG_EXPAND_SZ, "%TEMP%\\x", 9, "%TEMP%\\x"},
        {"empty text", REG_SZ, "", 0, ""},
        {"longest text", REG_SZ, strLongest.c_str(), MAX_PATH, strLongest},
        {"longest text without terminator", REG_SZ, strLongest.c_str(), MAX_PATH - 1,
         strLongest},
        {"text one byte too long", REG_SZ, strTooLong.c_str(), MAX_PATH + 1, ""},
        {"too long without terminator", REG_SZ, strTooLong.c_str(), MAX_PATH, ""},
        {"number", REG_DWORD, &dwNumber, sizeof dwNumber, ""},
        {"binary", REG_BINARY, "abc", 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        DeleteKey(kKey);
        SetDefaultValue(kKey, c.dwType, c.pData, c.cbData);
        char szValue[MAX_PATH] = "untouched";

        EXPECT_EQ(ERROR_SUCCESS, CHyperLink::ReadDefaultValue(HKEY_CLASSES_ROOT, kKey, szValue));
        EXPECT_EQ(c.strExpected, szValue);
    }

    // Missing default value: the key opens, the text is empty.
    DeleteKey(kKey);
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
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
