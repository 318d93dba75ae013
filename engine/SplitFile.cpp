#include "engine/SplitFile.h"

#include "engine/PieceNames.h"
#include "framework/File.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <new>

bool g_bSplitOk = false;

namespace {

// Piece numbers have three digits.
constexpr std::uint64_t kMaxPieces = 999;

const char kSplitCaption[] = "Kavrel分割中....";

} // namespace

void SplitFile(IMessageOwner* owner, std::string sourcePath, int pieceSizeK)
{
    // Cleared first, so an error escaping mid-copy never leaves an earlier success.
    g_bSplitOk = false;
    if (pieceSizeK <= 0) {
        owner->MessageBox("程序出现大小错误", kSplitCaption, BOX_ICONEXCLAMATION);
        return;
    }
    const std::uint64_t nPieceSize = static_cast<std::uint64_t>(pieceSizeK) * 1000;

    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead)) {
        owner->MessageBox("读取原文件错误", kSplitCaption, BOX_ICONEXCLAMATION);
        return;
    }
    const std::uint64_t nLength = source.GetLength();
    if (nLength <= nPieceSize) {
        owner->MessageBox("没必要分割该文件", "Kavrel：没必要呀！", BOX_ICONINFORMATION);
        return;
    }
    // An exact multiple still gets its empty last piece, so a merge finds the end.
    const std::uint64_t nCount = nLength / nPieceSize + 1;
    if (nCount > kMaxPieces) {
        owner->MessageBox("文件太大了，分割后会超过999个文件，无法分割", kSplitCaption, BOX_ICONEXCLAMATION);
        return;
    }

    std::string name = MakeFirstPieceName(sourcePath);
    std::uint64_t nOffset = 0;
    // One piece-sized block serves every piece: a fresh block per piece costs the
    // system a page fault for every 4 KiB of it, which made a split markedly slower.
    std::unique_ptr<char[]> buffer;
    for (std::uint64_t i = 0; i < nCount; ++i) {
        source.Seek(nOffset);
        CFile piece;
        if (!piece.Open(name, CFile::modeCreate | CFile::modeWrite)) {
            owner->MessageBox("创建新文件错误", kSplitCaption, BOX_ICONEXCLAMATION);
            return;
        }
        if (!buffer && nPieceSize <= std::numeric_limits<std::size_t>::max())
            buffer.reset(new (std::nothrow) char[static_cast<std::size_t>(nPieceSize)]);
        if (!buffer) {
            owner->MessageBox("wrong to new!", nullptr, BOX_OK);
            return;
        }
        const std::uint64_t nRemaining = nLength - nOffset;
        const auto nWanted = static_cast<std::size_t>(nRemaining < nPieceSize ? nRemaining : nPieceSize);
        // A source that shrank meanwhile gives a short read: write what was read, no more.
        const std::size_t nRead = source.Read(buffer.get(), nWanted);
        piece.Write(buffer.get(), nRead);
        piece.Close();
        nOffset += nWanted;
        name = MakeNextPieceName(name, static_cast<int>(i + 1));
    }
    source.Close();
    g_bSplitOk = true;
}
