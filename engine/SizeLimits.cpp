#include "engine/SizeLimits.h"

#include "engine/PieceName.h"
#include "framework/portable/Volume.h"

#include <initializer_list>

namespace {

bool IsFatName(const std::string& strName)
{
    std::string strUpper = strName;
    for (char& c : strUpper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    // exFAT is not among them: its limit lies far beyond any disk.
    return strUpper == "FAT" || strUpper == "FAT12" || strUpper == "FAT16" || strUpper == "FAT32";
}

// nCount files of nLength bytes each.
struct CFiles {
    std::uint64_t nLength;
    std::uint64_t nCount;
};

// Each file takes whole allocation units: with 32 KiB clusters a piece of one byte
// more takes 32 KiB more.
std::optional<CJobOutcome> CheckRoom(JobKind kind, const std::string& strFirstFile, std::initializer_list<CFiles> files)
{
    std::uint64_t nFree = 0;
    if (!GetFreeSpaceFor(strFirstFile, nFree))
        return std::nullopt;
    std::uint64_t nUnit = 1;
    if (!GetAllocationUnitFor(strFirstFile, nUnit))
        nUnit = 1;
    std::uint64_t nBytes = 0;
    for (const CFiles& f : files)
        nBytes += f.nCount * ((f.nLength + nUnit - 1) / nUnit * nUnit);
    if (nFree >= nBytes)
        return std::nullopt;
    CJobOutcome refusal = CJobOutcome::Refused(kind, JobReason::NoRoom, strFirstFile);
    refusal.nBytes = nBytes;
    refusal.nFreeBytes = nFree;
    return refusal;
}

} // namespace

bool FileTooLongFor(const std::string& strFileSystem, std::uint64_t nLength)
{
    const std::uint64_t nFatLimit = (std::uint64_t{1} << 32) - 1;
    return IsFatName(strFileSystem) && nLength > nFatLimit;
}

std::uint64_t PieceCount(std::uint64_t nLength, std::uint64_t nPieceSize)
{
    return nLength / nPieceSize + 1;
}

std::uint64_t SmallestPieceSize(std::uint64_t nLength)
{
    return nLength / kMaxPieces + 1;
}

CJobOutcome TooManyPiecesFor(std::uint64_t nLength)
{
    CJobOutcome refusal = CJobOutcome::Refused(JobKind::Split, JobReason::TooManyPieces);
    refusal.nBytes = nLength;
    return refusal;
}

std::optional<CJobOutcome> CheckRoomForSplit(const std::string& strSource, const std::string& strFirstPiece,
                                             std::uint64_t nCount, std::uint64_t nLength, std::uint64_t nPieceSize)
{
    // A record line: 64 hex digits, two spaces, the file name, CRLF. Every piece's
    // name is as long as the first's: three digits each.
    const std::uint64_t nRecord =
        68 + CPieceName(strSource).FileName().size() + nCount * (68 + CPieceName(strFirstPiece).FileName().size());
    const std::uint64_t nFull = nCount - 1;
    return CheckRoom(JobKind::Split, strFirstPiece,
                     {{nPieceSize, nFull}, {nLength - nFull * nPieceSize, 1}, {nRecord, 1}});
}

std::optional<CJobOutcome> CheckRoomForMerge(const std::string& strOutput, std::uint64_t nLength)
{
    std::string strFileSystem;
    if (GetFileSystemFor(strOutput, strFileSystem) && FileTooLongFor(strFileSystem, nLength)) {
        CJobOutcome refusal = CJobOutcome::Refused(JobKind::Merge, JobReason::FileTooLongForVolume, strOutput,
                                                   strFileSystem);
        refusal.nBytes = nLength;
        return refusal;
    }
    return CheckRoom(JobKind::Merge, strOutput, {{nLength, 1}});
}

std::optional<CJobOutcome> CheckPiecesFitVolume(const std::string& strFirstPiece, std::uint64_t nPieceSize)
{
    std::string strFileSystem;
    if (!GetFileSystemFor(strFirstPiece, strFileSystem) || !FileTooLongFor(strFileSystem, nPieceSize))
        return std::nullopt;
    CJobOutcome refusal =
        CJobOutcome::Refused(JobKind::Split, JobReason::PieceTooLongForVolume, strFirstPiece, strFileSystem);
    refusal.nBytes = nPieceSize;
    return refusal;
}
