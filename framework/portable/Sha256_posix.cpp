#include "framework/portable/Sha256.h"

#include <openssl/evp.h>

#include <new>
#include <stdexcept>

namespace {

EVP_MD_CTX* Context(void* p)
{
    return static_cast<EVP_MD_CTX*>(p);
}

void Check(int nResult)
{
    if (nResult != 1)
        throw std::runtime_error("SHA-256 of libcrypto failed");
}

} // namespace

CSha256::CSha256() : m_pState(EVP_MD_CTX_new())
{
    if (m_pState == nullptr)
        throw std::bad_alloc();
    Check(EVP_DigestInit_ex(Context(m_pState), EVP_sha256(), nullptr));
}

CSha256::~CSha256()
{
    EVP_MD_CTX_free(Context(m_pState));
}

void CSha256::Update(const void* pData, std::size_t nLength)
{
    Check(EVP_DigestUpdate(Context(m_pState), pData, nLength));
}

std::string CSha256::Finish()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int nLength = 0;
    Check(EVP_DigestFinal_ex(Context(m_pState), digest, &nLength));
    Check(EVP_DigestInit_ex(Context(m_pState), EVP_sha256(), nullptr));
    return ToHex(digest, nLength);
}
