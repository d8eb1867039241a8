#pragma once
// Reading one archive section from a target's bytes: the read either succeeds or is refused with
// the archive's own exception; any other exception is a fault.
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/StoredBytes.h"

#include <cstddef>
#include <cstdint>
#include <exception>

// True when the section was read; false when the archive refused the bytes. With `stream` the
// bytes come from a file without a length, as from a pipe.
inline bool FuzzLoad(const std::uint8_t* data, std::size_t size, const stored::Section& section,
                     bool stream = false)
{
    try {
        return stored::Load(stored::Bytes(data, data + size), section, stream);
    } catch (const std::exception& e) {
        FuzzFault(e.what());
    }
}
