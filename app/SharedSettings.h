#pragma once
// Settings that several windows of the program share. Each window reads them when it starts and
// writes some back when it ends; writing back what it merely read would undo what another window
// changed meanwhile, so a window writes back only what it changed itself.
#include "framework/core/ProfileStore.h"

#include <algorithm>
#include <vector>

// Passes on to a store only the values that differ from what a baseline holds under the same
// names: the baseline is what the run started from, written the same way.
class ChangedValuesStore : public CProfileStore {
public:
    ChangedValuesStore(CProfileStore& target, CMemoryProfileStore& baseline)
        : m_target(target), m_baseline(baseline)
    {
    }

    int GetInt(const char* section, const char* entry, int nDefault) override
    {
        return m_target.GetInt(section, entry, nDefault);
    }
    CString GetString(const char* section, const char* entry, const char* lpszDefault) override
    {
        return m_target.GetString(section, entry, lpszDefault);
    }
    BOOL GetBinary(const char* section, const char* entry, std::vector<BYTE>& bytes) override
    {
        return m_target.GetBinary(section, entry, bytes);
    }
    BOOL WriteInt(const char* section, const char* entry, int nValue) override;
    BOOL WriteString(const char* section, const char* entry, const char* lpszValue) override;
    BOOL WriteBinary(const char* section, const char* entry, const BYTE* pData,
                     UINT nBytes) override;

private:
    CProfileStore& m_target;
    CMemoryProfileStore& m_baseline;
};

// Writes through write() only the values that differ from what it writes for the run's start.
template <class Settings, class Write>
void WriteChangedSettings(CProfileStore& store, const Settings& started, const Settings& now,
                          Write write)
{
    CMemoryProfileStore baseline;
    write(baseline, started);
    ChangedValuesStore changed(store, baseline);
    write(changed, now);
}

// How many entries at the front of a most-recent-first list the run put there (new ones, or
// ones it moved up or changed): what follows them is what the run started with, less those
// entries, in the same order. same: the same entry; equal: the same in every field.
template <class T, class Same, class Equal>
std::size_t CountRunEntries(const std::vector<T>& started, const std::vector<T>& now, Same same,
                            Equal equal)
{
    for (std::size_t k = 0; k < now.size(); ++k) {
        const auto front = now.begin() + std::ptrdiff_t(k);
        std::vector<const T*> rest;
        for (const T& entry : started)
            if (std::none_of(now.begin(), front, [&](const T& run) { return same(run, entry); }))
                rest.push_back(&entry);
        if (rest.size() >= now.size() - k &&
            std::equal(front, now.end(), rest.begin(),
                       [&](const T& run, const T* entry) { return equal(run, *entry); }))
            return k;
    }
    return now.size();
}

// The run's entries at the front of the list as stored now, which loses its own copies of them
// and is cut to nMax; FALSE, with the list left alone, when the run put nothing at the front.
template <class T, class Same, class Equal>
BOOL MergeRecentList(const std::vector<T>& started, const std::vector<T>& now,
                     std::vector<T>& stored, std::size_t nMax, Same same, Equal equal)
{
    const auto front = now.begin() + std::ptrdiff_t(CountRunEntries(started, now, same, equal));
    if (front == now.begin())
        return FALSE;
    std::vector<T> merged(now.begin(), front);
    for (const T& entry : stored)
        if (merged.size() < nMax &&
            std::none_of(now.begin(), front, [&](const T& run) { return same(run, entry); }))
            merged.push_back(entry);
    stored = std::move(merged);
    return TRUE;
}
