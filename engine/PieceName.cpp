#include "engine/PieceName.h"

#include <utility>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

// Names are UTF-8, whose multi-byte characters hold no ASCII byte: a byte that reads
// '\', '/', '.' or '_' is that character.
CPieceName::CPieceName(std::string path) : m_strPath(std::move(path))
{
    std::size_t nDot = std::string::npos;
    for (std::size_t i = 0; i < m_strPath.size(); ++i) {
        const char c = m_strPath[i];
        if (c == '\\' || c == '/') {
            m_nFileStart = i + 1;
            nDot = std::string::npos;
        } else if (c == '.' && nDot == std::string::npos) {
            nDot = i;
        }
    }
    m_nAnchor = nDot == std::string::npos ? m_strPath.size() : nDot;
}

bool CPieceName::IsNumbered() const
{
    return m_nAnchor - m_nFileStart >= 4 && m_strPath[m_nAnchor - 4] == '_';
}

int CPieceName::Number() const
{
    if (!IsNumbered())
        return -1;
    int nNumber = 0;
    for (std::size_t i = m_nAnchor - 3; i < m_nAnchor; ++i) {
        if (!IsDigit(m_strPath[i]))
            return -1;
        nNumber = nNumber * 10 + (m_strPath[i] - '0');
    }
    return nNumber;
}

bool CPieceName::IsFirstPiece() const
{
    return Number() == 1;
}

PieceNameFault CPieceName::CheckFirstPiece() const
{
    if (!IsNumbered())
        return PieceNameFault::NoNumber;
    const int nNumber = Number();
    return nNumber < 0 || nNumber == 1 ? PieceNameFault::None : PieceNameFault::LaterPiece;
}

std::string CPieceName::FirstPieceName() const
{
    std::string name = m_strPath;
    name.insert(m_nAnchor, "_001");
    return name;
}

std::string CPieceName::PieceName(int n) const
{
    std::string name = m_strPath;
    if (m_nAnchor < 3)
        return name;
    name[m_nAnchor - 3] = static_cast<char>('0' + n / 100);
    name[m_nAnchor - 2] = static_cast<char>('0' + n / 10 % 10);
    name[m_nAnchor - 1] = static_cast<char>('0' + n % 10);
    return name;
}

std::string CPieceName::MergedName() const
{
    const std::size_t nStart = m_nAnchor < 4 ? 0 : m_nAnchor - 4;
    std::string name = m_strPath;
    name.erase(nStart, m_nAnchor - nStart);
    return name;
}

std::string MakeFirstPieceName(std::string name)
{
    return CPieceName(std::move(name)).FirstPieceName();
}

std::string MakeNextPieceName(std::string pieceName, int n)
{
    return CPieceName(std::move(pieceName)).PieceName(n + 1);
}

std::string MakeMergedName(std::string pieceName)
{
    return CPieceName(std::move(pieceName)).MergedName();
}
