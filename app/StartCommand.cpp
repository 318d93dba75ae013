// The Start button (IDOK): the form's checks, then the job behind the progress
// dialog, then one box that says how the job ended.
#include "app/MainDialog.h"

#include "app/OutcomeBox.h"
#include "app/ProgressDialog.h"
#include "app/SizeChoice.h"
#include "framework/win32/WaitCursor.h"
#include "res/resource.h"

namespace {

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
        ShowFormError("请输入文件先!");
        return std::nullopt;
    }
    // Only a warning: the split goes on with the piece size held from the start.
    if (m_bSplitMode && m_nSizeChoice == 0)
        ShowFormError("你必须先选择分割大小，也就是你的优盘的大小");
    std::uint64_t nPieceSize = 0;
    if (m_bSplitMode) {
        const std::optional<std::uint64_t> chosen = ChosenPieceSize();
        if (!chosen)
            return std::nullopt;
        nPieceSize = *chosen;
    }
    // An over-long path has had its own box; running the job anyway would act on a
    // name the user could not have meant and fail with a second, misleading box.
    if (!UpdateData(TRUE))
        return std::nullopt;
    CJobRequest request;
    request.kind = m_mode;
    request.strPath = m_strPath;
    request.nPieceSize = nPieceSize;
    // The folder is checked by the job, where it is written to.
    GetDlgItemText(IDC_TARGET_DIR, request.strTargetDir);
    return request;
}

std::optional<std::uint64_t> CMainDialog::ChosenPieceSize()
{
    CString strText;
    GetDlgItemText(IDC_SIZE_OTHER_MB, strText);
    const CPieceSize size = PieceSizeFor(m_nSizeChoice, strText);
    if (size.fault != SizeFieldFault::None) {
        ShowFormError(SizeFieldRefusal(size.fault));
        // Back in the field with its text selected, ready to be typed over.
        CWnd field = GetDlgItem(IDC_SIZE_OTHER_MB);
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field.m_hWnd), TRUE);
        field.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return std::nullopt;
    }
    m_nPieceSizeK = size.Thousands();
    return size.nBytes;
}
