#include "engine/MergePieces.h"

#include "engine/PieceNames.h"
#include "engine/PieceSet.h"
#include "framework/File.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

bool g_bMergeOk = false;

namespace {

// The buffer follows the selected piece but stays small enough to live in the
// processor's cache: staging whole pieces in memory made merges about twice as slow.
// Pieces longer than it are copied in several reads.
constexpr std::uint64_t kMaxBuffer = 1 << 20;
constexpr std::uint64_t kMinBuffer = 64 * 1024;

const char kMergeCaption[] = "Kavrel合并中....";

// A selected piece that carries a number must be piece 001: merging from a later one
// would silently leave out the start of the file.
bool IsNamedAsFirstPiece(const std::string& name)
{
    if (!HasPieceNumber(name))
        return false;
    std::size_t a = FindNameAnchor(name);
    std::string digits = name.substr(a - 3, 3);
    for (char c : digits) {
        if (c < '0' || c > '9')
            return true;
    }
    return digits == "001";
}

void CopyWhole(CFile& from, CFile& to, char* pBuffer, std::size_t nBufferSize)
{
    for (;;) {
        std::size_t n = from.Read(pBuffer, nBufferSize);
        if (n == 0)
            return;
        to.Write(pBuffer, n);
    }
}

} // namespace

void MergePieces(IMessageOwner* owner, std::string selectedPath)
{
    g_bMergeOk = false;
    if (!IsNamedAsFirstPiece(selectedPath)) {
        owner->MessageBox("文件名好象有误请检查!", "Kavrel合并前的检查...", BOX_ICONEXCLAMATION);
        return;
    }
    const std::string outName = MakeMergedName(selectedPath);

    CFile piece;
    if (!piece.Open(selectedPath, CFile::modeRead)) {
        owner->MessageBox("读取原文件错误", kMergeCaption, BOX_ICONEXCLAMATION);
        return;
    }
    const std::uint64_t nFirstLength = piece.GetLength();
    const int nCount = CheckPieceSet(owner, selectedPath, nFirstLength);
    if (nCount == 0)
        return;

    const auto nBufferSize = static_cast<std::size_t>(std::clamp(nFirstLength, kMinBuffer, kMaxBuffer));
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[nBufferSize]);
    if (!buffer) {
        owner->MessageBox("wrong to new!", nullptr, BOX_OK);
        return;
    }

    CFile out;
    if (!out.Open(outName, CFile::modeCreate | CFile::modeWrite)) {
        owner->MessageBox("创建新文件错误", kMergeCaption, BOX_ICONEXCLAMATION);
        return;
    }
    CopyWhole(piece, out, buffer.get(), nBufferSize);
    piece.Close();
    for (int c = 1; c < nCount; ++c) {
        // Found by the check a moment ago; gone now means the set changed under us.
        if (!piece.Open(MakeNextPieceName(selectedPath, c), CFile::modeRead)) {
            owner->MessageBox("读取原文件错误", kMergeCaption, BOX_ICONEXCLAMATION);
            return;
        }
        CopyWhole(piece, out, buffer.get(), nBufferSize);
        piece.Close();
    }
    buffer.reset();
    out.Close();
    g_bMergeOk = true;
}
