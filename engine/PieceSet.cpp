#include "engine/PieceSet.h"

#include "engine/JobTexts.h"
#include "engine/PieceNames.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"

#include <algorithm>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The highest number above 1 among the pieces of selectedPath's folder, and which
// numbers up to it are there.
std::vector<bool> FindPieceNumbers(const std::string& selectedPath)
{
    const std::size_t nStart = FindFileNameStart(selectedPath);
    const std::string strFile = selectedPath.substr(nStart);
    const std::size_t nDigits = FindNameAnchor(selectedPath) - nStart - 3;
    std::vector<bool> present(kMaxPieces + 1, false);
    for (const std::string& entry : ListFolder(selectedPath.substr(0, nStart))) {
        if (entry.size() != strFile.size() || !std::all_of(entry.begin() + nDigits, entry.begin() + nDigits + 3, IsDigit))
            continue;
        std::string strCandidate = strFile;
        strCandidate.replace(nDigits, 3, entry, nDigits, 3);
        if (!SameFileName(strCandidate, entry))
            continue;
        const int nNumber = std::stoi(entry.substr(nDigits, 3));
        if (nNumber >= 2)
            present[static_cast<std::size_t>(nNumber)] = true;
    }
    auto last = std::find(present.rbegin(), present.rend(), true);
    present.resize(last == present.rend() ? 2 : static_cast<std::size_t>(present.rend() - last));
    return present;
}

bool Refuse(IMessageOwner* owner, const char* pszFormat, const std::string& strName)
{
    owner->MessageBox(AfxFormat(pszFormat, strName.c_str()).c_str(), kCheckCaption, BOX_ICONEXCLAMATION);
    return false;
}

} // namespace

bool CheckPieceSet(IMessageOwner* owner, const std::string& selectedPath, std::uint64_t nFirstLength,
                   int nListedCount, CPieceSet& set)
{
    const std::vector<bool> present = FindPieceNumbers(selectedPath);
    const int nFound = static_cast<int>(present.size()) - 1;
    if (nListedCount > 0 && nFound > nListedCount)
        return Refuse(owner, "文件%s\n不在校验文件里,不是这一组分割好的文件,请检查!",
                      MakeNextPieceName(selectedPath, nFound - 1));
    const int nLast = nListedCount > 0 ? nListedCount : nFound;
    // Every number is looked at, so a piece after a gap is never silently left out.
    for (int n = 2; n <= nLast; ++n) {
        if (n <= nFound && present[static_cast<std::size_t>(n)])
            continue;
        if (nListedCount > 0)
            return Refuse(owner, "缺少文件%s\n分割好的文件不完整,请检查!", MakeNextPieceName(selectedPath, n - 1));
        return Refuse(owner, "缺少文件%s\n但它后面还有分割好的文件,请检查!", MakeNextPieceName(selectedPath, n - 1));
    }
    set.names = {selectedPath};
    set.nTotalBytes = nFirstLength;
    std::uint64_t nLength = nFirstLength;
    for (int n = 2; n <= nLast; ++n) {
        const std::string strPrevious = set.names.back();
        if (nListedCount == 0 && n > 2 && nLength < nFirstLength)
            return Refuse(owner, "文件%s比第一个文件小\n不是完整的分割文件,请检查!", strPrevious);
        std::string name = MakeNextPieceName(selectedPath, n - 1);
        CFile piece;
        if (!piece.Open(name, CFile::modeRead))
            return Refuse(owner, "无法读取文件%s\n它可能正被别的程序使用,请检查!", name);
        nLength = piece.GetLength();
        set.names.push_back(name);
        set.nTotalBytes += nLength;
    }
    // A split always ends with a piece shorter than the first, an empty one for an
    // exact multiple: a set that does not was cut short.
    if (nListedCount == 0 && nLength == nFirstLength) {
        const std::string strMissing =
            nLast < kMaxPieces ? MakeNextPieceName(selectedPath, nLast) : set.names.back();
        return Refuse(owner, "缺少文件%s\n分割好的文件不完整,请检查!", strMissing);
    }
    return true;
}
