// The Start button (IDOK): the form's checks, then the job behind the progress
// dialog, then one box that says how the job ended.
#include "app/MainDialog.h"

#include "app/OutcomeBox.h"
#include "app/ProgressDialog.h"
#include "app/SizeField.h"
#include "framework/win32/WaitCursor.h"
#include "res/resource.h"

namespace {

const char kFormErrorCaption[] = "Kavrel：你出错了";

static_assert(kBoxExclamation == MB_ICONEXCLAMATION && kBoxInformation == MB_ICONINFORMATION && kBoxPlain == MB_OK &&
                  kBoxYesNo == MB_YESNO && kBoxDefaultSecond == MB_DEFBUTTON2,
              "the outcome table's box types are the system's");

}  // namespace

void CMainDialog::OnOK()
{
    CWaitCursor wait;
    std::optional<CJobRequest> request = CheckForm();
    if (!request)
        return;
    // A job that asks runs again, allowed to go on, only when the answer is yes.
    for (;;) {
        CProgressDialog dlgProgress(*this, JobCaption(request->kind),
                                    [request](IJobProgress& progress) { return RunJob(*request, &progress); });
        // A file error that ended the job reaches the framework's report from here.
        const std::optional<CJobOutcome> outcome = dlgProgress.Run();
        if (!outcome)
            return;
        // Said once the progress dialog has gone, by the window the user works in.
        const COutcomeBox box = MakeOutcomeBox(*outcome);
        const int nAnswer = MessageBox(box.strText.c_str(), box.pszCaption, box.nType);
        if (outcome->end != JobEnd::Asks || nAnswer != IDYES)
            return;
        request->bMayReplaceUnchecked = true;
    }
}

std::optional<CJobRequest> CMainDialog::CheckForm()
{
    GetDlgItemText(IDC_PATH, m_strPath);
    if (m_strPath.empty()) {
        MessageBox("请输入文件先!", kFormErrorCaption, MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    // Only a warning: the split goes on with the piece size already held.
    if (m_bSplitMode && m_nSizeChoice == 0)
        MessageBox("你必须先选择分割大小，也就是你的优盘的大小", kFormErrorCaption, MB_ICONEXCLAMATION);
    if (m_bSplitMode) {
        const std::optional<int> nSizeK = ChosenPieceSizeK();
        if (!nSizeK)
            return std::nullopt;
        m_nPieceSizeK = *nSizeK;
    }
    // An over-long path has had its own box; running the job anyway would act on a
    // name the user could not have meant and fail with a second, misleading box.
    if (!UpdateData(TRUE))
        return std::nullopt;
    if (m_nSizeChoice < 0 || m_nSizeChoice > 3) {
        MessageBox("程序出现大小错误", kFormErrorCaption, MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    return CJobRequest{m_bSplitMode ? JobKind::Split : JobKind::Merge, m_strPath, m_nPieceSizeK};
}

// The one place where a size choice becomes a piece size; none chosen keeps the one
// held (32000 from the start).
std::optional<int> CMainDialog::ChosenPieceSizeK()
{
    switch (m_nSizeChoice) {
    case 1:
        return 32000;
    case 2:
        return 64000;
    case 3:
        return CheckSizeField();
    default:
        return m_nPieceSizeK;
    }
}

std::optional<int> CMainDialog::CheckSizeField()
{
    CString strText;
    GetDlgItemText(IDC_SIZE_OTHER_MB, strText);
    const CSizeFieldValue value = ReadSizeField(strText);
    if (value.fault != SizeFieldFault::None) {
        MessageBox(SizeFieldRefusal(value.fault).c_str(), kFormErrorCaption, MB_ICONEXCLAMATION);
        // Back in the field with its text selected, ready to be typed over.
        CWnd field = GetDlgItem(IDC_SIZE_OTHER_MB);
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field.m_hWnd), TRUE);
        field.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return std::nullopt;
    }
    return value.nSizeMB * 1000;
}
