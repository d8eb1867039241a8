// The archive's primitives over any bytes, from a file with a length or from a stream without
// one: a script of reads taken from the bytes themselves. Whatever reads must write back in the
// same form and read again to the same values; only the archive's exception may escape.
#include "framework/core/CArchive.h"
#include "framework/core/Collections.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/StreamFile.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

namespace {

enum Op : BYTE {
    OpString,
    OpCount,
    OpByte,
    OpWord,
    OpInt,
    OpDouble,
    OpInt64,
    OpDoubles,
    OpStrings,
    OpDoubleBlock,
    OpCountOfOps
};

// One value read, in the form the script's operation gave it.
struct Item {
    BYTE op = 0;
    std::string text;
    unsigned long long number = 0;
    std::vector<double> reals;
    std::vector<std::string> texts;

    bool operator==(const Item& other) const
    {
        return op == other.op && text == other.text && number == other.number &&
               texts == other.texts &&
               std::equal(reals.begin(), reals.end(), other.reals.begin(), other.reals.end(),
                          [](double a, double b) {
                              return std::bit_cast<std::uint64_t>(a) ==
                                     std::bit_cast<std::uint64_t>(b);
                          });
    }
};

constexpr int kMaxOps = 64;

// Reads script and values until the bytes end (or the archive refuses them).
std::vector<Item> ReadScript(CArchive& ar)
{
    std::vector<Item> items;
    try {
        for (int i = 0; i < kMaxOps; ++i) {
            Item item;
            ar >> item.op;
            item.op %= OpCountOfOps;
            switch (item.op) {
            case OpString: {
                CString s;
                ar >> s;
                item.text.assign(s.GetString(), std::size_t(s.GetLength()));
                break;
            }
            case OpCount: {
                // A count and its elements, one byte each.
                item.number = ar.ReadCount();
                item.text.resize(std::size_t(item.number));
                if (ar.Read(item.text.data(), UINT(item.number)) != item.number)
                    throw CArchiveException(CArchiveException::endOfFile);
                break;
            }
            case OpByte: {
                BYTE v;
                ar >> v;
                item.number = v;
                break;
            }
            case OpWord: {
                WORD v;
                ar >> v;
                item.number = v;
                break;
            }
            case OpInt: {
                std::int32_t v;
                ar >> v;
                item.number = std::uint32_t(v);
                break;
            }
            case OpDouble: {
                double v;
                ar >> v;
                item.reals.push_back(v);
                break;
            }
            case OpInt64: {
                long long v;
                ar >> v;
                item.number = static_cast<unsigned long long>(v);
                break;
            }
            case OpDoubles: {
                CArray<double, double> values;
                values.Serialize(ar);
                item.reals.assign(values.begin(), values.end());
                break;
            }
            case OpStrings: {
                CStringArray values;
                values.Serialize(ar);
                for (const CString& s : values)
                    item.texts.emplace_back(s.GetString(), std::size_t(s.GetLength()));
                break;
            }
            case OpDoubleBlock: {
                const DWORD_PTR n = ar.ReadCount();
                std::vector<double> values(n);
                ar.ReadArray(values.data(), n);
                item.reals = std::move(values);
                break;
            }
            }
            items.push_back(std::move(item));
        }
    } catch (const CArchiveException&) {
        // The bytes ended or were refused: what was read before stands.
    }
    return items;
}

void WriteScript(CArchive& ar, const std::vector<Item>& items)
{
    for (const Item& item : items) {
        ar << item.op;
        switch (item.op) {
        case OpString:
            ar << CString(std::string_view(item.text));
            break;
        case OpCount:
            ar.WriteCount(DWORD_PTR(item.number));
            ar.Write(item.text.data(), UINT(item.text.size()));
            break;
        case OpByte:
            ar << BYTE(item.number);
            break;
        case OpWord:
            ar << WORD(item.number);
            break;
        case OpInt:
            ar << std::int32_t(std::uint32_t(item.number));
            break;
        case OpDouble:
            ar << item.reals.at(0);
            break;
        case OpInt64:
            ar << static_cast<long long>(item.number);
            break;
        case OpDoubles: {
            CArray<double, double> values;
            for (double v : item.reals)
                values.Add(v);
            values.Serialize(ar);
            break;
        }
        case OpStrings: {
            CStringArray values;
            for (const std::string& s : item.texts)
                values.Add(CString(std::string_view(s)));
            values.Serialize(ar);
            break;
        }
        case OpDoubleBlock:
            ar.WriteCount(DWORD_PTR(item.reals.size()));
            ar.WriteArray(item.reals.data(), item.reals.size());
            break;
        }
    }
}

} // namespace

int FuzzArchivePrimitives(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > (1 << 20))
        return 0;
    const bool stream = data[0] & 1;
    const std::vector<BYTE> bytes(data + 1, data + size);
    std::vector<Item> items;
    try {
        CStreamFile pipe(bytes);
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(stream ? static_cast<CFile*>(&pipe) : &file, CArchive::load);
        items = ReadScript(ar);
        ar.Close();
    } catch (const std::exception& e) {
        FuzzFault(e.what());
    }

    CMemFile written;
    {
        CArchive ar(&written, CArchive::store);
        WriteScript(ar, items);
        ar.Close();
    }
    const std::vector<BYTE> again = written.Detach();
    CMemFile file(again.data(), UINT(again.size()));
    CArchive ar(&file, CArchive::load);
    if (ReadScript(ar) != items)
        FuzzFault("values written back read differently");
    if (ar.GetBytesLeft() != 0)
        FuzzFault("values written back leave bytes unread");
    return 0;
}
