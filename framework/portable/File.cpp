#include "framework/portable/File.h"

#include <utility>

CFileException::CFileException(std::string strFileName, std::string strOperation, long nOsError)
    : std::runtime_error(strOperation + " failed: " + strFileName),
      m_strFileName(std::move(strFileName)),
      m_strOperation(std::move(strOperation)),
      m_nOsError(nOsError)
{
}
