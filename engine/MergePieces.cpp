#include "engine/MergePieces.h"

#include "engine/BlockCopy.h"
#include "engine/JobCancel.h"
#include "engine/JobTexts.h"
#include "engine/PieceNames.h"
#include "engine/PieceSet.h"
#include "engine/TargetCheck.h"
#include "framework/File.h"
#include "framework/FileSystem.h"
#include "framework/String.h"

#include <cstdint>
#include <limits>

bool g_bMergeOk = false;

namespace {

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

// The output while it is written: a name in the output's folder that is neither a
// piece name (no '_' four bytes before its dot) nor a name a merge writes, taken
// only when free. Removed unless Keep() was called.
class CPartialOutput {
public:
    bool Create(const std::string& strOutName)
    {
        const std::string strDir = strOutName.substr(0, FindFileNameStart(strOutName));
        for (int n = 0; n < 1000; ++n) {
            std::string strName = strDir + AfxFormat("~tosvik%03d.tmp", n);
            if (m_file.Open(strName, CFile::modeCreate | CFile::modeWrite | CFile::modeCreateNew)) {
                m_strName = strName;
                // Errors name the file the user asked for.
                m_file.SetFilePath(strOutName);
                return true;
            }
        }
        return false;
    }
    ~CPartialOutput() { Discard(); }
    CPartialOutput() = default;
    CPartialOutput(const CPartialOutput&) = delete;
    CPartialOutput& operator=(const CPartialOutput&) = delete;

    CFile& File() { return m_file; }
    void Discard()
    {
        if (m_strName.empty())
            return;
        try {
            m_file.Close();
        } catch (const CFileException&) {
            // Its bytes are thrown away anyway.
        }
        RemoveFile(m_strName);
        m_strName.clear();
    }
    // Closes the file and gives it the output's name; false when it could not.
    bool MoveTo(const std::string& strOutName)
    {
        m_file.Close();
        if (!RenameFile(m_strName, strOutName))
            return false;
        m_strName.clear();
        return true;
    }

private:
    CFile m_file;
    std::string m_strName;
};

} // namespace

JobResult MergePieces(IMessageOwner* owner, std::string selectedPath, IJobProgress* pProgress)
{
    g_bMergeOk = false;
    if (!IsNamedAsFirstPiece(selectedPath)) {
        owner->MessageBox("文件名好象有误请检查!", kCheckCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    const std::string outName = MakeMergedName(selectedPath);

    CFile piece;
    if (!piece.Open(selectedPath, CFile::modeRead)) {
        owner->MessageBox(kReadSourceError, kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    CPieceSet set;
    if (!CheckPieceSet(owner, selectedPath, piece.GetLength(), set) ||
        !CheckJobFiles(owner, kCheckCaption, set.names, {outName}))
        return JobResult::Failed;

    CBlockCopy copy(pProgress, set.nTotalBytes);
    if (!copy.Allocate()) {
        owner->MessageBox(kNoMemory, nullptr, BOX_OK);
        return JobResult::Failed;
    }
    // A name taken by what the finished file could not replace (a folder, a file
    // someone holds open) is refused now rather than after the whole copy.
    CFile existing;
    CPartialOutput out;
    if ((PathExists(outName) && !existing.Open(outName, CFile::modeRead)) || !out.Create(outName)) {
        owner->MessageBox(kCreateFileError, kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    copy.BeginFile(outName);
    for (std::size_t i = 0; i < set.names.size(); ++i) {
        // Found by the check a moment ago; gone now means the set changed under us.
        if (i > 0 && !piece.Open(set.names[i], CFile::modeRead)) {
            owner->MessageBox(kReadSourceError, kMergeCaption, BOX_ICONEXCLAMATION);
            return JobResult::Failed;
        }
        copy.Copy(piece, out.File(), std::numeric_limits<std::uint64_t>::max());
        piece.Close();
        if (copy.IsCancelled()) {
            out.Discard();
            return CancelJob(owner, kMergeCaption, {});
        }
    }
    existing.Close();
    if (!out.MoveTo(outName)) {
        owner->MessageBox(kCreateFileError, kMergeCaption, BOX_ICONEXCLAMATION);
        return JobResult::Failed;
    }
    g_bMergeOk = true;
    return JobResult::Done;
}
