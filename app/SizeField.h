// The size field beside 其他: the sizes its list offers, and what a typed or chosen
// text means. Sizes count MB of 1,000,000 bytes, as "32MB" and "64MB" do.
#pragma once

#include "framework/portable/String.h"

#include <vector>

inline constexpr int kMaxFieldSizeMB = 999999;

enum class SizeFieldFault { None, Empty, NotWholeNumber, OutOfRange };

struct CSizeFieldValue {
    SizeFieldFault fault = SizeFieldFault::None;
    int nSizeMB = 0;  // 1..kMaxFieldSizeMB when fault is None
};

// A whole number of MB, optionally followed by "MB" and by a label in brackets, as the
// list's entries carry one ("4294 (FAT32)"). Full-width digits and brackets, as a
// Chinese input method types them, count as their ASCII forms.
CSizeFieldValue ReadSizeField(const CString& strText);

// The list's entries, largest first, each with a short label where it has one.
std::vector<CString> SizeFieldChoices();

// The box text for a refused entry: what is wrong, and what is allowed.
CString SizeFieldRefusal(SizeFieldFault fault);
