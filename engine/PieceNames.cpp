#include "engine/PieceNames.h"

namespace {

struct CNameParts {
    std::size_t nFileStart = 0;
    std::size_t nAnchor = 0;
};

// Names are UTF-8, whose multi-byte characters hold no ASCII byte: a byte that reads
// '\', '/', '.' or '_' is that character.
CNameParts SplitName(const std::string& name)
{
    CNameParts parts;
    std::size_t nDot = std::string::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '\\' || c == '/') {
            parts.nFileStart = i + 1;
            nDot = std::string::npos;
        } else if (c == '.' && nDot == std::string::npos) {
            nDot = i;
        }
    }
    parts.nAnchor = nDot == std::string::npos ? name.size() : nDot;
    return parts;
}

} // namespace

std::size_t FindNameAnchor(const std::string& name)
{
    return SplitName(name).nAnchor;
}

std::size_t FindFileNameStart(const std::string& name)
{
    return SplitName(name).nFileStart;
}

bool HasPieceNumber(const std::string& name)
{
    CNameParts parts = SplitName(name);
    return parts.nAnchor - parts.nFileStart >= 4 && name[parts.nAnchor - 4] == '_';
}

std::string MakeFirstPieceName(std::string name)
{
    name.insert(FindNameAnchor(name), "_001");
    return name;
}

std::string MakeNextPieceName(std::string pieceName, int n)
{
    std::size_t a = FindNameAnchor(pieceName);
    if (a < 3)
        return pieceName;
    int k = n + 1;
    pieceName[a - 3] = static_cast<char>('0' + k / 100);
    pieceName[a - 2] = static_cast<char>('0' + k / 10 % 10);
    pieceName[a - 1] = static_cast<char>('0' + k % 10);
    return pieceName;
}

std::string MakeMergedName(std::string pieceName)
{
    std::size_t a = FindNameAnchor(pieceName);
    std::size_t m = a < 4 ? 0 : a - 4;
    pieceName.erase(m, a - m);
    return pieceName;
}
