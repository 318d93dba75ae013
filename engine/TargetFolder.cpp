#include "engine/TargetFolder.h"

#include "engine/PieceName.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/Folder.h"
#include "framework/portable/PendingFile.h"

std::string PlaceInTarget(const std::string& targetDir, const std::string& path)
{
    if (targetDir.empty())
        return path;
    return JoinPath(targetDir, CPieceName(path).FileName());
}

std::optional<CJobOutcome> CheckTargetFolder(JobKind kind, const std::string& targetDir)
{
    if (targetDir.empty())
        return std::nullopt;
    const auto refused = [&](JobReason reason) { return CJobOutcome::Refused(kind, reason, targetDir); };
    // A relative path would follow whatever the current folder happens to be.
    if (!IsAbsolutePath(targetDir))
        return refused(JobReason::TargetNotAbsolute);
    if (!PathExists(targetDir))
        return refused(JobReason::TargetMissing);
    if (!IsFolder(targetDir))
        return refused(JobReason::TargetNotFolder);
    CPendingFile probe;
    if (probe.Create(JoinPath(targetDir, "probe")))
        return std::nullopt;
    CJobOutcome refusal = refused(JobReason::TargetUnwritable);
    refusal.nOsError = probe.GetError();
    return refusal;
}
