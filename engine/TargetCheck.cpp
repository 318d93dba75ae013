#include "engine/TargetCheck.h"

#include "engine/PieceName.h"
#include "framework/portable/FileSystem.h"

#include <utility>

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsReservedDeviceName(const std::string& path)
{
    std::string base = CPieceName(path).Base();
    // The system ignores spaces at the end of a device name too.
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = Upper(c);
    for (const char* pszName : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (base == pszName)
            return true;
    }
    if (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0)
        return false;
    // Ports take one digit, 0 included, or one of the superscript digits.
    const std::string number = base.substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "¹" || number == "²" ||
        number == "³";
}

std::optional<CJobOutcome> CheckJobFiles(JobKind kind, const std::vector<std::string>& reads,
                                         const std::vector<std::string>& writes)
{
    std::vector<std::pair<CFileIdentity, const std::string*>> seen;
    for (const auto* names : {&reads, &writes}) {
        for (const std::string& name : *names) {
            if (IsReservedDeviceName(name))
                return CJobOutcome::Refused(kind, JobReason::DeviceName, name);
            CFileIdentity identity;
            if (!GetFileIdentity(name, identity))
                continue;
            for (const auto& [other, pName] : seen) {
                if (other == identity && names == &writes)
                    return CJobOutcome::Refused(kind, JobReason::SameFile, name, *pName);
            }
            seen.emplace_back(identity, &name);
        }
    }
    return std::nullopt;
}

std::optional<CJobOutcome> CheckReplaceable(JobKind kind, const std::string& strName, CFile& holder)
{
    holder.Close();
    if (!PathExists(strName))
        return std::nullopt;
    if (!IsRegularFile(strName))
        return CJobOutcome::Failed(kind, JobReason::CreateFile, strName);
    if (holder.Open(strName, CFile::modeRead))
        return std::nullopt;
    return CJobOutcome::Failed(kind, JobReason::CreateFile, strName, holder.GetOpenError());
}

std::optional<CJobOutcome> CheckAllReplaceable(JobKind kind, const std::vector<std::string>& names)
{
    CFile holder;
    for (const std::string& name : names) {
        if (auto failure = CheckReplaceable(kind, name, holder))
            return failure;
    }
    return std::nullopt;
}
