#pragma once
#include "framework/core/CObject.h"

#include <memory>
#include <unordered_map>

// Finds the framework object of a Win32 handle. Permanent entries are objects that own or were
// attached to their handle; a handle without one gets a temporary wrapper that borrows it and
// is released at idle time (AfxDeleteTempMaps), so a wrapper pointer is valid until then.
// Each map is created on first use and never destroyed, so global objects (the application
// object and its image lists, menus and fonts) may still look up their handles at exit.
// Member points to the wrapper's handle member (of T or one of its bases); it is cleared before a
// wrapper is deleted, so the wrapper's destructor never frees a handle it only borrowed.
template <class T, class H, auto Member> class CHandleMap {
public:
    // The permanent object of h, or nullptr.
    T* LookupPermanent(H h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    // The permanent object of h, else a temporary wrapper; nullptr for a null handle.
    T* FromHandle(H h)
    {
        if (!h)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
            return it->second.get();
        auto wrapper = std::make_unique<T>();
        wrapper.get()->*Member = h;
        T* p = wrapper.get();
        m_temporary.emplace(h, std::move(wrapper));
        return p;
    }

    // Makes p the permanent object of h. Attaching over a handle p already holds would leak that
    // handle, and a second permanent object of one handle would leave the map naming the wrong
    // one when either goes: both are asserted and refused. A shared handle (a stock object, the
    // DC of a window class) may have several holders; the map names the latest.
    BOOL Attach(T* p, H h, bool shared = false)
    {
        ASSERT(p->*Member == nullptr);
        T* owner = h ? LookupPermanent(h) : nullptr;
        ASSERT(shared || owner == nullptr);
        if (!h || p->*Member != nullptr || (owner && !shared))
            return FALSE;
        p->*Member = h;
        m_permanent[h] = p;
        return TRUE;
    }

    // Takes p's handle from it and drops the map's entry when it names p; returns the handle.
    H Detach(T* p)
    {
        H h = p->*Member;
        if (h && LookupPermanent(h) == p)
            m_permanent.erase(h);
        p->*Member = nullptr;
        return h;
    }

    // True when the map names p as the permanent object of the handle it holds.
    bool Owns(const T* p) const { return p->*Member && LookupPermanent(p->*Member) == p; }

    void DeleteTemp()
    {
        for (auto& entry : m_temporary)
            entry.second.get()->*Member = nullptr;
        m_temporary.clear();
    }

    ~CHandleMap() { DeleteTemp(); }

private:
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, std::unique_ptr<T>> m_temporary;
};
