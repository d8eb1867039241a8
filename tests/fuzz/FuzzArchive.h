#pragma once
// One archive section written to bytes, or read from them, for the targets that read stored
// files: a read either succeeds, or is refused with the archive's own exception; any other
// exception is a fault.
#include "framework/core/CArchive.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/StreamFile.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

using FuzzSection = std::function<void(CArchive&)>;

inline std::vector<BYTE> FuzzStore(const FuzzSection& section)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        section(ar);
        ar.Close();
    }
    return file.Detach();
}

// True when the section was read; false when the archive refused the bytes. With `stream` the
// bytes come from a file without a length, as from a pipe.
inline bool FuzzLoad(const std::uint8_t* data, std::size_t size, const FuzzSection& section,
                     bool stream = false)
{
    try {
        const std::vector<BYTE> bytes(data, data + size);
        CStreamFile pipe(bytes);
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(stream ? static_cast<CFile*>(&pipe) : &file, CArchive::load);
        section(ar);
        ar.Close();
        return true;
    } catch (const CArchiveException&) {
        return false;
    } catch (const std::exception& e) {
        FuzzFault(e.what());
    }
}
