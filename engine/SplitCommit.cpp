#include "engine/SplitCommit.h"

#include "engine/ChecksumRecord.h"
#include "engine/PieceName.h"
#include "engine/TargetCheck.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/TestHooks.h"

#include <set>
#include <vector>

namespace {

// At every moment of it a merge of the folder gives the earlier file, the new one,
// or a refusal: from the first piece name that changes to the end, a record stands
// at the record's name. Earlier files are moved aside, never overwritten, so a
// failure puts them back; only what a record proves was a split's goes.
class CPass {
public:
    explicit CPass(const std::string& recordName) : m_recordName(recordName) {}
    ~CPass()
    {
        if (!m_bDone)
            Undo();
    }
    CPass(const CPass&) = delete;
    CPass& operator=(const CPass&) = delete;

    // Moves the file named name aside, if there is one.
    bool MoveAside(const std::string& name)
    {
        if (!PathExists(name))
            return true;
        CAsideFile& aside = m_aside.emplace_back();
        if (!StepAllowed() || !aside.MoveAside(name)) {
            m_failed = name;
            m_nError = aside.GetError() != 0 ? aside.GetError() : TestHooks().nRefusedStepError;
            m_aside.pop_back();
            return false;
        }
        return true;
    }
    // Gives file its name, an earlier file of that name moved aside first.
    bool Give(CPendingFile& file)
    {
        if (!MoveAside(file.GetFinalName()))
            return false;
        if (!StepAllowed() || !file.Commit()) {
            m_failed = file.GetFinalName();
            m_nError = file.GetError() != 0 ? file.GetError() : TestHooks().nRefusedStepError;
            return false;
        }
        m_given.push_back(file.GetFinalName());
        return true;
    }
    // Removes what was moved aside: the pass is done.
    void Finish()
    {
        for (CAsideFile& aside : m_aside) {
            StepAllowed();
            aside.Remove();
        }
        m_bDone = true;
    }
    CJobOutcome Failure() const
    {
        const JobReason reason = m_failed == m_recordName ? JobReason::RecordUnwritable : JobReason::CreateFile;
        return CJobOutcome::Failed(JobKind::Split, reason, m_failed, m_nError);
    }

private:
    bool StepAllowed()
    {
        const auto& failStep = TestHooks().failPassStep;
        return !(failStep && failStep(++m_nStep));
    }
    // The folder as it was: the new names go, the earlier files come back, the
    // last moved first.
    void Undo()
    {
        for (auto it = m_given.rbegin(); it != m_given.rend(); ++it)
            RemoveFile(*it);
        for (auto it = m_aside.rbegin(); it != m_aside.rend(); ++it)
            it->PutBack();
    }

    const std::string& m_recordName;
    std::deque<CAsideFile> m_aside;
    std::vector<std::string> m_given;
    std::string m_failed;
    long m_nError = 0;
    int m_nStep = 0;
    bool m_bDone = false;
};

// The file names an earlier record lists as pieces (all its lines but the last);
// none when there is no record or it cannot be read.
std::set<std::string> ListedPieces(const std::string& recordName)
{
    std::vector<CChecksumLine> lines;
    std::set<std::string> names;
    if (ReadChecksumRecord(recordName, lines) == RecordState::Read) {
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            names.insert(lines[i].strName);
    }
    return names;
}

} // namespace

std::optional<CJobOutcome> CommitSplit(std::deque<CPendingFile>& pieces, CPendingFile* pRecord,
                                       const std::string& recordName)
{
    // The names were free or plain files when the split began; something may have
    // taken one since.
    std::vector<std::string> names;
    for (const CPendingFile& piece : pieces)
        names.push_back(piece.GetFinalName());
    names.push_back(recordName);
    if (auto failure = CheckAllReplaceable(JobKind::Split, names))
        return failure;
    const std::set<std::string> listed = ListedPieces(recordName);

    // Pieces of the earlier split above the new count would read as part of this
    // one; a user's own files of such names stay. They go first, while the earlier
    // record still lists them: once it has gone, a second run after a kill could
    // not tell them from the user's. Until the new record comes, the earlier one or
    // the length rule refuses the earlier set that is short of them.
    CPass pass(recordName);
    const CPieceName first(pieces.front().GetFinalName());
    for (int n = static_cast<int>(pieces.size()) + 1; n <= kMaxPieces; ++n) {
        const CPieceName earlier(first.PieceName(n));
        if (listed.count(earlier.FileName()) != 0 && !pass.MoveAside(earlier.Path()))
            return pass.Failure();
    }
    if (pRecord != nullptr ? !pass.Give(*pRecord) : !pass.MoveAside(recordName))
        return pass.Failure();
    for (CPendingFile& piece : pieces) {
        if (!pass.Give(piece))
            return pass.Failure();
    }
    pass.Finish();
    return std::nullopt;
}
