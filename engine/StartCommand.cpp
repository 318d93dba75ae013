#include "engine/StartCommand.h"

#include "engine/MergePieces.h"
#include "engine/PieceNames.h"
#include "engine/SplitFile.h"

namespace {

const char kErrorCaption[] = "Kavrel：你出错了";
const char kDoneCaption[] = "Kavrel：完成了！";

// The one place where a size choice becomes a piece size; 0 keeps the one held.
int PieceSizeKForChoice(int nSizeChoice, int nHeldSizeK)
{
    switch (nSizeChoice) {
    case 1:
        return 32000;
    case 2:
        return 64000;
    default:
        return nHeldSizeK;
    }
}

} // namespace

bool PrepareStartJob(IStartDialog& dialog, CSplitForm& form, const CString& strFieldText)
{
    form.m_strPath = strFieldText;
    if (form.m_strPath.empty()) {
        dialog.MessageBox("请输入文件先!", kErrorCaption, BOX_ICONEXCLAMATION);
        return false;
    }
    // Only a warning: the split goes on with the piece size the form already holds.
    if (form.m_bSplitMode && form.m_nSizeChoice == 0)
        dialog.MessageBox("你必须先选择分割大小，也就是你的优盘的大小", kErrorCaption, BOX_ICONEXCLAMATION);
    if (form.m_bSplitMode)
        form.m_nPieceSizeK = PieceSizeKForChoice(form.m_nSizeChoice, form.m_nPieceSizeK);
    // An over-long path has had its own box; running the job anyway would act on a
    // name the user could not have meant and fail with a second, misleading box.
    if (!dialog.SaveForm())
        return false;
    if (form.m_nSizeChoice < 0 || form.m_nSizeChoice > 2) {
        dialog.MessageBox("程序出现大小错误", kErrorCaption, BOX_ICONEXCLAMATION);
        return false;
    }
    return true;
}

JobResult RunStartJob(IMessageOwner& owner, const CSplitForm& form, IJobProgress* pProgress)
{
    if (form.m_bSplitMode) {
        JobResult result = SplitFile(&owner, form.m_strPath, form.m_nPieceSizeK, pProgress);
        if (result == JobResult::Done) {
            CString text = AfxFormat("分割完毕!!\n分割好的文件是%s\n等等类似的名称的就是了",
                MakeFirstPieceName(form.m_strPath).c_str());
            owner.MessageBox(text.c_str(), kDoneCaption, BOX_ICONINFORMATION);
        }
        return result;
    }
    JobResult result = MergePieces(&owner, form.m_strPath, pProgress);
    if (result == JobResult::Done) {
        CString text = AfxFormat("合并完成\n请检查:%s", MakeMergedName(form.m_strPath).c_str());
        owner.MessageBox(text.c_str(), kDoneCaption, BOX_ICONINFORMATION);
    }
    return result;
}

JobResult RunStartCommand(IStartDialog& dialog, CSplitForm& form, const CString& strFieldText,
                          IJobProgress* pProgress)
{
    if (!PrepareStartJob(dialog, form, strFieldText))
        return JobResult::Failed;
    return RunStartJob(dialog, form, pProgress);
}
