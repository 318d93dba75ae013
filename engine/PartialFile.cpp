#include "engine/PartialFile.h"

#include "engine/PieceName.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/String.h"

bool CPartialFile::Create(const std::string& strFinalName)
{
    const std::string strDir = CPieceName(strFinalName).Folder();
    for (int n = 0; n < 1000; ++n) {
        std::string strName = strDir + AfxFormat("~tosvik%03d.tmp", n);
        if (m_file.Open(strName, CFile::modeCreate | CFile::modeWrite | CFile::modeCreateNew)) {
            m_strTempName = strName;
            m_strFinalName = strFinalName;
            m_file.SetFilePath(strFinalName);
            return true;
        }
        m_nError = m_file.GetOpenError();
    }
    return false;
}

bool CPartialFile::Commit()
{
    m_file.Close();
    if (!RenameFile(m_strTempName, m_strFinalName, m_nError))
        return false;
    m_strTempName.clear();
    return true;
}

void CPartialFile::Discard()
{
    if (m_strTempName.empty())
        return;
    try {
        m_file.Close();
    } catch (const CFileException&) {
        // Its bytes are thrown away anyway.
    }
    RemoveFile(m_strTempName);
    m_strTempName.clear();
}
