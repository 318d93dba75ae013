#include "engine/PieceSet.h"

#include "engine/PieceName.h"
#include "framework/portable/File.h"
#include "framework/portable/FileSystem.h"

#include <algorithm>

std::vector<bool> FindPieceNumbers(const CPieceName& selected)
{
    const std::string strFile = selected.FileName();
    std::vector<bool> present(kMaxPieces + 1, false);
    for (const std::string& entry : ListFolder(selected.Folder())) {
        const int nNumber = CPieceName(entry).Number();
        if (entry.size() == strFile.size() && nNumber >= 2 &&
            SameFileName(CPieceName(selected.PieceName(nNumber)).FileName(), entry))
            present[static_cast<std::size_t>(nNumber)] = true;
    }
    auto last = std::find(present.rbegin(), present.rend(), true);
    present.resize(last == present.rend() ? 2 : static_cast<std::size_t>(present.rend() - last));
    return present;
}

std::optional<CJobOutcome> CheckPieceSet(JobKind kind, const std::string& selectedPath, std::uint64_t nFirstLength,
                                         int nListedCount, unsigned nOpenFlags, CPieceSet& set)
{
    const auto Refuse = [kind](JobReason reason, const std::string& strName) {
        return CJobOutcome::Refused(kind, reason, strName);
    };
    const CPieceName selected(selectedPath);
    const std::vector<bool> present = FindPieceNumbers(selected);
    const int nFound = static_cast<int>(present.size()) - 1;
    // With a record, higher numbers it does not list are no part of the set.
    const int nLast = nListedCount > 0 ? nListedCount : nFound;
    // Every number is looked at, so a piece after a gap is never silently left out.
    for (int n = 2; n <= nLast; ++n) {
        if (n <= nFound && present[static_cast<std::size_t>(n)])
            continue;
        return Refuse(nListedCount > 0 ? JobReason::PieceMissingListed : JobReason::PieceMissingBeforeLater,
                      selected.PieceName(n));
    }
    set.names = {selectedPath};
    set.nTotalBytes = nFirstLength;
    std::uint64_t nLength = nFirstLength;
    for (int n = 2; n <= nLast; ++n) {
        std::string name = selected.PieceName(n);
        CFile piece;
        if (!piece.Open(name, nOpenFlags)) {
            CJobOutcome refusal = Refuse(JobReason::PieceUnreadable, name);
            refusal.nOsError = piece.GetOpenError();
            return refusal;
        }
        nLength = piece.GetLength();
        if (nListedCount == 0 && nLength > nFirstLength)
            return Refuse(JobReason::PieceLonger, name);
        if (nListedCount == 0 && n < nLast && nLength < nFirstLength)
            return Refuse(JobReason::PieceShorter, name);
        set.names.push_back(name);
        set.nTotalBytes += nLength;
    }
    // A split always ends with a piece shorter than the first, an empty one for an
    // exact multiple: a set that does not was cut short.
    if (nListedCount == 0 && nLength == nFirstLength)
        return Refuse(JobReason::SetIncomplete, nLast < kMaxPieces ? selected.PieceName(nLast + 1) : set.names.back());
    return std::nullopt;
}
