#include "framework/portable/PendingFile.h"

#include "framework/portable/String.h"

#include <atomic>
#include <cstdint>
#include <random>

std::string CPendingFile::MakeTemporaryName(const std::string& strFolder)
{
    // Counted from a random start, so that the names of one process never meet and
    // those of two seldom do.
    static std::atomic<std::uint32_t> s_nNext{std::random_device{}()};
    return strFolder + AfxFormat("~tosvik%08x.tmp", static_cast<unsigned>(s_nNext++));
}
