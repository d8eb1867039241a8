#pragma once
#include "framework/core/CArchive.h"

#include <functional>
#include <string>
#include <vector>

// Runs write against a storing archive over a memory file and returns the bytes written.
inline std::vector<BYTE> StoreBytes(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    return file.Detach();
}

// Runs read against a loading archive over a copy of bytes.
inline void LoadBytes(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
}

inline std::vector<BYTE> Hex(std::initializer_list<int> values)
{
    std::vector<BYTE> v;
    for (int x : values)
        v.push_back(BYTE(x));
    return v;
}

inline std::vector<BYTE> Head(const std::vector<BYTE>& bytes, std::size_t n)
{
    return std::vector<BYTE>(bytes.begin(),
                             bytes.begin() + std::ptrdiff_t(std::min(n, bytes.size())));
}
