#include "framework/core/CObject.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Zero-initialised before any registrar runs, whatever the order of the files.
CRuntimeClass* g_pFirstClass = nullptr;

} // namespace

namespace {

void StopOnAssert(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s(%d): assertion failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

ZivraAssertHandler g_assertHandler = StopOnAssert;

} // namespace

void ZivraAssertFailed(const char* condition, const char* file, int line)
{
    g_assertHandler(condition, file, line);
}

ZivraAssertHandler ZivraSetAssertHandler(ZivraAssertHandler handler)
{
    const ZivraAssertHandler previous = g_assertHandler;
    g_assertHandler = handler ? handler : StopOnAssert;
    return previous;
}

CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr,
                                       nullptr};
static CRuntimeClassRegistrar zivraRegisterCObject(RUNTIME_CLASS(CObject));

CRuntimeClassRegistrar::CRuntimeClassRegistrar(CRuntimeClass* pClass)
{
    pClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    for (CRuntimeClass* p = g_pFirstClass; p; p = p->m_pNextClass)
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* lpszClassName)
{
    const CRuntimeClass* p = FromName(lpszClassName);
    return p ? p->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }
