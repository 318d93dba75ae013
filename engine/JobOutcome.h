// How a split, merge or check ended, as data: the window that started the job says it in
// the user's words once the job is over. The engine shows nothing itself.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

// Verify checks a set as a merge would, and writes nothing.
enum class JobKind { Split, Merge, Verify };

enum class JobEnd {
    Done,        // every file written, or the set checked; the outcome flag is true
    Cancelled,   // stopped on request; unfinished files removed
    Refused,     // a check said no before anything was written
    Failed,      // the system or the data let the job down after it began
    Asks,        // nothing written: the job goes on only when the user says yes
};

// Every distinct last word of a job.
enum class JobReason {
    Finished,             // Verify: file: the record; pieces: how many matched it
    Cancelled,
    // Split
    SizeError,            // a piece size of zero or less
    NotWorthSplitting,    // the source is no larger than one piece
    TooManyPieces,        // more than kMaxPieces; bytes: the source's length
    RecordUnwritable,     // file: the checksum record
    PieceTooLongForVolume, // file: piece 001; bytes: a piece's length; other file: the file system
    // Merge; a check meets those about the set and its record too
    FileTooLongForVolume, // file: the merged file; bytes: its length; other file: the file system
    NotFirstPiece,        // the selected name is not piece 001 of a set
    RecordBad,            // file: the checksum record, unreadable or of another set
    PieceMissingListed,   // file: a listed piece that is not there
    PieceMissingBeforeLater,  // file: a gap, a later piece exists
    SetIncomplete,        // file: the piece after a last one as long as the first
    PieceShorter,         // file: a piece other than the last, shorter than the first
    PieceLonger,          // file: a piece longer than the first, with no record
    ReplaceUnchecked,     // file: the merged name is taken, and no record checks the pieces
    PieceUnreadable,      // file: a piece that exists but cannot be opened
    PieceDamaged,         // file: a piece whose bytes differ from the record
    WholeMismatch,        // every piece matched the record, the whole file's line did not
    // Verify
    CheckedWithoutRecord, // done by names and lengths alone; file: the record not found; pieces: the set's
    // Any
    ReadSource,           // file: the source or a piece that cannot be read
    CreateFile,           // file: a file that cannot be created or take its name
    NoMemory,             // the copy blocks cannot be allocated
    DeviceName,           // file: a reserved device name
    SameFile,             // file and other file: two names of one file (a link)
    NoRoom,               // file: the first file to write; bytes: all it writes, and the room left
    // The folder chosen for what the job writes; file: that folder as given
    TargetNotAbsolute,    // relative to a current folder or drive
    TargetMissing,        // nothing of that name
    TargetNotFolder,      // a file or a device, not a folder
    TargetUnwritable,     // no new file can be made there
};

struct CJobOutcome {
    JobKind kind = JobKind::Split;
    JobEnd end = JobEnd::Failed;
    JobReason reason = JobReason::ReadSource;
    // Done: what the completion names (piece 001, the merged file, or the record a
    // check went by). Otherwise the file the reason names, if any.
    std::string strFile;
    // SameFile: the name that the file already goes by.
    std::string strOtherFile;
    // The system's cause (GetLastError, errno) where there is one; 0 otherwise.
    long nOsError = 0;
    // The sizes a reason names, in bytes; 0 otherwise.
    std::uint64_t nBytes = 0;
    std::uint64_t nFreeBytes = 0;
    // The pieces a check went through; 0 otherwise.
    int nPieces = 0;

    static CJobOutcome Done(JobKind kind, std::string strFile)
    {
        return {kind, JobEnd::Done, JobReason::Finished, std::move(strFile), {}, 0};
    }
    static CJobOutcome Cancelled(JobKind kind) { return {kind, JobEnd::Cancelled, JobReason::Cancelled, {}, {}, 0}; }
    static CJobOutcome Refused(JobKind kind, JobReason reason, std::string strFile = {},
                               std::string strOtherFile = {})
    {
        return {kind, JobEnd::Refused, reason, std::move(strFile), std::move(strOtherFile), 0};
    }
    static CJobOutcome Failed(JobKind kind, JobReason reason, std::string strFile = {}, long nOsError = 0)
    {
        return {kind, JobEnd::Failed, reason, std::move(strFile), {}, nOsError};
    }
    static CJobOutcome Asks(JobKind kind, JobReason reason, std::string strFile)
    {
        return {kind, JobEnd::Asks, reason, std::move(strFile), {}, 0};
    }

    bool IsDone() const { return end == JobEnd::Done; }
};
