#include "engine/TargetCheck.h"

#include "engine/PieceNames.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"

#include <utility>

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsReservedDeviceName(const std::string& path)
{
    const std::size_t nStart = FindFileNameStart(path);
    std::string base = path.substr(nStart, path.find('.', nStart) == std::string::npos
                                               ? std::string::npos
                                               : path.find('.', nStart) - nStart);
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

bool CheckJobFiles(IMessageOwner* owner, const char* pszCaption, const std::vector<std::string>& reads,
                   const std::vector<std::string>& writes)
{
    std::vector<std::pair<CFileIdentity, const std::string*>> seen;
    for (const auto* names : {&reads, &writes}) {
        for (const std::string& name : *names) {
            if (IsReservedDeviceName(name)) {
                owner->MessageBox(AfxFormat("%s\n是设备的名称,不能当作文件用,请检查!", name.c_str()).c_str(),
                    pszCaption, BOX_ICONEXCLAMATION);
                return false;
            }
            CFileIdentity identity;
            if (!GetFileIdentity(name, identity))
                continue;
            for (const auto& [other, pName] : seen) {
                if (other == identity && names == &writes) {
                    owner->MessageBox(AfxFormat("%s\n和%s\n是同一个文件(链接),写入会毁掉它,请检查!", name.c_str(),
                        pName->c_str()).c_str(), pszCaption, BOX_ICONEXCLAMATION);
                    return false;
                }
            }
            seen.emplace_back(identity, &name);
        }
    }
    return true;
}
