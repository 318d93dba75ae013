#include "engine/StartCommand.h"

#include "engine/MergePieces.h"
#include "engine/PieceNames.h"
#include "engine/SplitFile.h"

namespace {

const char kErrorCaption[] = "Kavrel：你出错了";
const char kDoneCaption[] = "Kavrel：完成了！";

} // namespace

void RunStartCommand(IStartDialog& dialog, CSplitForm& form)
{
    form.m_strPath = dialog.GetPathText();
    if (form.m_strPath.empty()) {
        dialog.MessageBox("请输入文件先!", kErrorCaption, BOX_ICONEXCLAMATION);
        return;
    }
    // Only a warning: the split goes on with the piece size the form already holds.
    if (form.m_bSplitMode && form.m_nSizeChoice == 0)
        dialog.MessageBox("你必须先选择分割大小，也就是你的优盘的大小", kErrorCaption, BOX_ICONEXCLAMATION);
    if (form.m_bSplitMode) {
        if (form.m_nSizeChoice == 1)
            form.m_nPieceSizeK = 32000;
        else if (form.m_nSizeChoice == 2)
            form.m_nPieceSizeK = 64000;
    }
    // An over-long path has had its own box from the data exchange; the job goes on.
    dialog.UpdateData(true);
    if (form.m_nSizeChoice < 0 || form.m_nSizeChoice > 2) {
        dialog.MessageBox("程序出现大小错误", kErrorCaption, BOX_ICONEXCLAMATION);
        return;
    }

    if (form.m_bSplitMode) {
        SplitFile(&dialog, form.m_strPath, form.m_nPieceSizeK);
        if (g_bSplitOk) {
            CString text = AfxFormat("分割完毕!!\n分割好的文件是%s\n等等类似的名称的就是了",
                MakeFirstPieceName(form.m_strPath).c_str());
            dialog.MessageBox(text.c_str(), kDoneCaption, BOX_ICONINFORMATION);
        }
        return;
    }
    MergePieces(&dialog, form.m_strPath);
    if (g_bMergeOk) {
        CString text = AfxFormat("合并完成\n请检查:%s", MakeMergedName(form.m_strPath).c_str());
        dialog.MessageBox(text.c_str(), kDoneCaption, BOX_ICONINFORMATION);
    }
}
