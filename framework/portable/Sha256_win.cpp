#include "framework/portable/Sha256.h"

#include <windows.h>

#include <bcrypt.h>

#include <limits>
#include <stdexcept>

namespace {

struct CHashState {
    BCRYPT_ALG_HANDLE hAlgorithm = nullptr;
    BCRYPT_HASH_HANDLE hHash = nullptr;
};

void Check(NTSTATUS nStatus)
{
    if (!BCRYPT_SUCCESS(nStatus))
        throw std::runtime_error("SHA-256 of CNG failed");
}

CHashState* State(void* p)
{
    return static_cast<CHashState*>(p);
}

} // namespace

CSha256::CSha256() : m_pState(new CHashState)
{
    CHashState* s = State(m_pState);
    try {
        Check(::BCryptOpenAlgorithmProvider(&s->hAlgorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
        Check(::BCryptCreateHash(s->hAlgorithm, &s->hHash, nullptr, 0, nullptr, 0, 0));
    } catch (...) {
        if (s->hAlgorithm != nullptr)
            ::BCryptCloseAlgorithmProvider(s->hAlgorithm, 0);
        delete s;
        throw;
    }
}

CSha256::~CSha256()
{
    CHashState* s = State(m_pState);
    ::BCryptDestroyHash(s->hHash);
    ::BCryptCloseAlgorithmProvider(s->hAlgorithm, 0);
    delete s;
}

void CSha256::Update(const void* pData, std::size_t nLength)
{
    auto* p = static_cast<unsigned char*>(const_cast<void*>(pData));
    while (nLength > 0) {
        const ULONG nChunk = nLength > std::numeric_limits<ULONG>::max() ? std::numeric_limits<ULONG>::max()
                                                                        : static_cast<ULONG>(nLength);
        Check(::BCryptHashData(State(m_pState)->hHash, p, nChunk, 0));
        p += nChunk;
        nLength -= nChunk;
    }
}

std::string CSha256::Finish()
{
    CHashState* s = State(m_pState);
    unsigned char digest[32];
    Check(::BCryptFinishHash(s->hHash, digest, sizeof digest, 0));
    // A finished hash object takes no more data; reusable ones need Windows 8.
    ::BCryptDestroyHash(s->hHash);
    s->hHash = nullptr;
    Check(::BCryptCreateHash(s->hAlgorithm, &s->hHash, nullptr, 0, nullptr, 0, 0));
    return ToHex(digest, sizeof digest);
}
