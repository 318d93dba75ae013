// Captions and texts that more than one step of a job shows.
#pragma once

inline constexpr char kSplitCaption[] = "Kavrel分割中....";
inline constexpr char kMergeCaption[] = "Kavrel合并中....";
inline constexpr char kCheckCaption[] = "Kavrel合并前的检查...";
inline constexpr char kReadSourceError[] = "读取原文件错误";
inline constexpr char kCreateFileError[] = "创建新文件错误";
inline constexpr char kNoMemory[] = "wrong to new!";
