#pragma once
// Stored forms in tests: expected bytes written out field by field from the file format's
// primitives (independently of the code under test), and storing, loading and truncating
// through memory archives.
#include "framework/core/CArchive.h"
#include "tests/support/StreamFile.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace stored {

using Bytes = std::vector<unsigned char>;

// Expected bytes, built in file order.
class Builder {
public:
    Builder& U8(unsigned v)
    {
        m_bytes.push_back((unsigned char)v);
        return *this;
    }
    Builder& U16(unsigned v) { return Little(v, 2); }
    Builder& I32(std::int64_t v) { return Little(std::uint64_t(v), 4); }
    Builder& F64(double v)
    {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, 8);
        return Little(bits, 8);
    }
    // Length below 255 in one byte, else 0xFF and a u16 (texts of tests stay short of 65534).
    Builder& Text(const std::string& s)
    {
        if (s.size() < 255)
            U8(unsigned(s.size()));
        else
            U8(0xFF).U16(unsigned(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    // Element count: u16, or 0xFFFF and a u32.
    Builder& Count(std::uint64_t n)
    {
        return n < 0xFFFF ? U16(unsigned(n)) : U16(0xFFFF).I32(std::int64_t(n));
    }
    Builder& Raw(const Bytes& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Name, type and editable flag of a data object.
    Builder& DataObject(const std::string& name, int type) { return Text(name).I32(type).I32(1); }
    const Bytes& Get() const { return m_bytes; }

private:
    Builder& Little(std::uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            m_bytes.push_back((unsigned char)(v >> (8 * i)));
        return *this;
    }
    Bytes m_bytes;
};

using Section = std::function<void(CArchive&)>;

inline Bytes Store(const Section& section)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        section(ar);
        ar.Close();
    }
    std::vector<BYTE> data = file.Detach();
    return Bytes(data.begin(), data.end());
}

// Reads bytes with the section, from a file or from a stream without a length (a pipe); false
// when the archive refused them. Any other exception goes to the caller.
inline bool Load(const Bytes& bytes, const Section& section, bool stream = false)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CStreamFile pipe(bytes);
    try {
        CArchive ar(stream ? static_cast<CFile*>(&pipe) : &file, CArchive::load);
        section(ar);
        ar.Close();
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

// Every proper prefix of bytes is refused by read, and afterwards snapshot() is what it was.
// Returns the first prefix length that was accepted or changed the state, or -1.
inline long FirstTruncationAccepted(const Bytes& bytes, const Section& read,
                                    const std::function<Bytes()>& snapshot)
{
    const Bytes before = snapshot();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const Bytes prefix(bytes.begin(), bytes.begin() + std::ptrdiff_t(n));
        if (Load(prefix, read) || snapshot() != before)
            return long(n);
    }
    return -1;
}

} // namespace stored
