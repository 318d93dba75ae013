#include "engine/PieceSet.h"

#include "engine/PieceNames.h"
#include "framework/File.h"
#include "framework/String.h"

namespace {

constexpr int kMaxPieces = 999;

const char kCheckCaption[] = "Kavrel合并前的检查...";

} // namespace

int CheckPieceSet(IMessageOwner* owner, const std::string& selectedPath, std::uint64_t nFirstLength)
{
    int nCount = 1;
    std::string strMissing;
    std::string strPrevious;
    std::uint64_t nPreviousLength = nFirstLength;
    // Every number is looked at, so a piece after a gap is never silently left out.
    for (int c = 1; c < kMaxPieces; ++c) {
        std::string name = MakeNextPieceName(selectedPath, c);
        CFile piece;
        if (!piece.Open(name, CFile::modeRead)) {
            if (strMissing.empty())
                strMissing = name;
            continue;
        }
        if (!strMissing.empty()) {
            owner->MessageBox(AfxFormat("缺少文件%s\n但它后面还有分割好的文件,请检查!", strMissing.c_str()).c_str(),
                kCheckCaption, BOX_ICONEXCLAMATION);
            return 0;
        }
        if (!strPrevious.empty() && nPreviousLength < nFirstLength) {
            owner->MessageBox(AfxFormat("文件%s比第一个文件小\n不是完整的分割文件,请检查!", strPrevious.c_str()).c_str(),
                kCheckCaption, BOX_ICONEXCLAMATION);
            return 0;
        }
        strPrevious = name;
        nPreviousLength = piece.GetLength();
        ++nCount;
    }
    return nCount;
}
