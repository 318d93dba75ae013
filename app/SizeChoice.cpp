#include "app/SizeChoice.h"

namespace {

std::uint64_t BytesOfMB(std::uint64_t nMB)
{
    return nMB * 1000000;
}

} // namespace

CPieceSize PieceSizeFor(int nSizeChoice, const CString& strFieldText)
{
    switch (nSizeChoice) {
    case 2:
        return {SizeFieldFault::None, BytesOfMB(64)};
    case 3: {
        const CSizeFieldValue value = ReadSizeField(strFieldText);
        if (value.fault != SizeFieldFault::None)
            return {value.fault, 0};
        return {SizeFieldFault::None, BytesOfMB(static_cast<std::uint64_t>(value.nSizeMB))};
    }
    case 1:
    default:
        return {SizeFieldFault::None, BytesOfMB(32)};
    }
}

std::uint64_t WholeMBAtLeast(std::uint64_t nBytes)
{
    return (nBytes + BytesOfMB(1) - 1) / BytesOfMB(1);
}
