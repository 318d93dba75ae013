#include "engine/ChecksumRecord.h"

#include "engine/TargetCheck.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"

namespace {

// Far more than 999 lines of hash and name.
constexpr std::uint64_t kMaxRecordBytes = 1 << 20;

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool ParseLine(std::string line, CChecksumLine& parsed)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() < 67 || line[64] != ' ' || (line[65] != ' ' && line[65] != '*'))
        return false;
    for (std::size_t i = 0; i < 64; ++i) {
        if (!IsHexDigit(line[i]))
            return false;
        parsed.strHash += static_cast<char>(line[i] >= 'A' && line[i] <= 'F' ? line[i] - 'A' + 'a' : line[i]);
    }
    parsed.strName = line.substr(66);
    return !parsed.strName.empty();
}

} // namespace

std::string ChecksumRecordName(const std::string& wholePath)
{
    return wholePath + ".sha256";
}

bool IsChecksumRecordName(const std::string& path)
{
    const std::string strExtension = ChecksumRecordName("");
    if (path.size() <= strExtension.size())
        return false;
    for (std::size_t i = 0; i < strExtension.size(); ++i) {
        const char c = path[path.size() - strExtension.size() + i];
        if (c != strExtension[i] && c != strExtension[i] - 'a' + 'A')
            return false;
    }
    return true;
}

std::string FormatChecksumRecord(const std::vector<CChecksumLine>& lines)
{
    std::string text;
    for (const CChecksumLine& line : lines)
        text += line.strHash + "  " + line.strName + "\r\n";
    return text;
}

RecordState ReadChecksumRecord(const std::string& recordPath, std::vector<CChecksumLine>& lines, unsigned nOpenFlags)
{
    lines.clear();
    // A device is no record; the job refuses it by name.
    if (!PathExists(recordPath) || IsReservedDeviceName(recordPath))
        return RecordState::Missing;
    if (!IsRegularFile(recordPath))
        return RecordState::Bad;
    CFile file;
    if (!file.Open(recordPath, nOpenFlags) || file.GetLength() > kMaxRecordBytes)
        return RecordState::Bad;
    std::string text(static_cast<std::size_t>(file.GetLength()), '\0');
    text.resize(file.Read(&text[0], text.size()));
    std::size_t nStart = 0;
    while (nStart < text.size()) {
        std::size_t nEnd = text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        CChecksumLine line;
        if (!ParseLine(text.substr(nStart, nEnd - nStart), line))
            return RecordState::Bad;
        lines.push_back(line);
        nStart = nEnd + 1;
    }
    return lines.empty() ? RecordState::Bad : RecordState::Read;
}
