#include "app/InstructionsDialog.h"

#include "framework/win32/DataExchange.h"
#include "res/resource.h"

// Tabs and runs of spaces place the lines in the edit control, which neither wraps
// nor trims them.
const char CInstructionsDialog::s_szText[] =
    "\t\t\t   Kavrel2.0(优盘版)\r\n"
    "\t\t\t\t\t by Tosvik 开发组 \r\n"
    "\r\n"
    "这个小工具最初只是为了用优盘把大文件带回家而写的，后来\r\n"
    "又陆续改了几次，这是第二版。在分割模式\r\n"
    "下它会在你选择的目录下生成形如xxx_001.xxx的格式\r\n"
    "的文件，当你要合并文件时选中分割好的第一个文件点合并\r\n"
    "即可，如：选中xxx_001.xxx再点合并即可完成合并工作！\r\n"
    "但这个软件有很多不完善的地方,合并时需要手工指定文件，\r\n"
    "如果出错后果也还好了，不过有的错误也不是是致命的！！\r\n"
    "\r\n"
    "\r\n"
    "       这是个特别为优盘用户写的它可以分成32MB和64MB两种大小\r\n"
    "       有没有128MB的需求呢？写信给我吧！\r\n"
    "       有什么意见和建议欢迎来信：tosvik@example.com\r\n"
    "       欢迎访问本软件的主页：http://www.example.com\r\n"
    "                                 即时通讯：000000000\r\n"
    "                           版权所有 (C) 2003 Tosvik 开发组\r\n";

CInstructionsDialog::CInstructionsDialog(CWnd* pParent)
    : CDialog(IDD_INSTRUCTIONS_DIALOG, pParent)
{
}

void CInstructionsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INSTRUCTIONS_TEXT, m_strInstructions);
}

BOOL CInstructionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_INSTRUCTIONS_TEXT, s_szText);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CInstructionsDialog, CDialog)
END_MESSAGE_MAP()
