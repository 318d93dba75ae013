#include "engine/JobCancel.h"

#include "framework/portable/FileSystem.h"

JobResult CancelJob(IMessageOwner* owner, const char* pszCaption, const std::vector<std::string>& written)
{
    for (const std::string& name : written)
        RemoveFile(name);
    owner->MessageBox("已经取消了!\n没有完成的文件都已删除", pszCaption, BOX_ICONINFORMATION);
    return JobResult::Cancelled;
}
