// SHA-256 through the system's cryptography: CNG (bcrypt.dll) on Windows, OpenSSL's
// libcrypto elsewhere. One backend per platform (Sha256_win.cpp, Sha256_posix.cpp).
#pragma once

#include <cstddef>
#include <string>

class CSha256 {
public:
    CSha256();
    ~CSha256();
    CSha256(const CSha256&) = delete;
    CSha256& operator=(const CSha256&) = delete;

    void Update(const void* pData, std::size_t nLength);
    // The digest of everything since the last Finish, as 64 lowercase hex digits;
    // starts over.
    std::string Finish();

private:
    static std::string ToHex(const unsigned char* pDigest, std::size_t nLength);

    void* m_pState;
};
