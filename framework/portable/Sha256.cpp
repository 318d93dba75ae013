#include "framework/portable/Sha256.h"

std::string CSha256::ToHex(const unsigned char* pDigest, std::size_t nLength)
{
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < nLength; ++i) {
        hex += kHex[pDigest[i] >> 4];
        hex += kHex[pDigest[i] & 15];
    }
    return hex;
}
