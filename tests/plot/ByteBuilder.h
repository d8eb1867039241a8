#pragma once
// Expected file bytes written out field by field, independently of the code under test.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct ByteBuilder {
    std::vector<unsigned char> bytes;

    ByteBuilder& I32(std::int64_t v)
    {
        const auto u = std::uint32_t(v);
        for (int i = 0; i < 4; ++i)
            bytes.push_back((unsigned char)(u >> (8 * i)));
        return *this;
    }
    ByteBuilder& F64(double v)
    {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i)
            bytes.push_back((unsigned char)(u >> (8 * i)));
        return *this;
    }
    // Archive string: one length byte below 255.
    ByteBuilder& Str(const std::string& s)
    {
        bytes.push_back((unsigned char)s.size());
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    ByteBuilder& Raw(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const unsigned char*>(p);
        bytes.insert(bytes.end(), b, b + n);
        return *this;
    }
    ByteBuilder& Append(const std::vector<unsigned char>& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
};
