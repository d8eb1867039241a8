#pragma once
#include "framework/core/CFile.h"

#include <functional>

// Replaces the file at lpszPath so that it holds either its old bytes or all of the new ones:
// write() fills a temporary file in the target's folder, the bytes are flushed to the disk, and
// the temporary file is then moved over the target. With bCreateFolder the target's folder and
// its missing parents are made first. Any failure throws (CFileException naming the target, or
// whatever write() threw), removes the temporary file and leaves the target as it was; a target
// that is read-only is refused with accessDenied.
void ReplaceFileAtomically(const char* lpszPath, const std::function<void(CFile&)>& write,
                           BOOL bCreateFolder = FALSE);

// The folder part of a path with its trailing separator ("" when the path has none). Natively
// only '/' separates; on Windows '\\' and '/' both do.
CString FolderOfPath(const char* lpszPath);

// Makes the folder and its missing parents; TRUE when it exists afterwards.
BOOL CreateFolderPath(const char* lpszFolder);
