// The end of a cancelled job: its unfinished files go, and one box says so.
#pragma once

#include "engine/JobProgress.h"
#include "framework/portable/MessageOwner.h"

#include <string>
#include <vector>

JobResult CancelJob(IMessageOwner* owner, const char* pszCaption, const std::vector<std::string>& written);
