#pragma once
#include "framework/core/Platform.h"

#include <cstddef>

class CArchive;
class CObject;

// The framework's checks of its callers' preconditions (a live window, a DC to draw on, an index
// in range). They stay active in every build: a failed one reports the condition and its place
// through the assert handler, which stops the program unless a test has replaced it. Where a
// replaced handler returns, a member that can refuse the call does. VERIFY always evaluates.
using ZivraAssertHandler = void (*)(const char* condition, const char* file, int line);
void ZivraAssertFailed(const char* condition, const char* file, int line);
// Installs handler (nullptr for the default) and returns the one it replaces.
ZivraAssertHandler ZivraSetAssertHandler(ZivraAssertHandler handler);
#ifndef ASSERT
#define ASSERT(f) ((f) ? (void)0 : ZivraAssertFailed(#f, __FILE__, __LINE__))
#endif
#ifndef VERIFY
#define VERIFY(f) ASSERT(f)
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ASSERT((p) != nullptr)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif

// The pointer at nIndex of a list of pointers; an index out of range is the caller's error
// (asserted) and gives nullptr.
template <class List> typename List::value_type AfxElementAt(const List& list, int nIndex)
{
    const bool inRange = nIndex >= 0 && static_cast<std::size_t>(nIndex) < list.size();
    ASSERT(inRange);
    return inRange ? list[static_cast<std::size_t>(nIndex)] : nullptr;
}

// The run-time record of a class: its name, size, base and creation function. Records are
// constant-initialised statics, so they are usable before any dynamic initialisation runs.
struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // accepted for the classic macros; never written to a file
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // chain of the records known by name

    // A new object of this class, or nullptr when the class is not dynamically creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The record of the registered class with this exact name, or nullptr.
    static CRuntimeClass* FromName(const char* lpszClassName);
    // A new object of the named class, or nullptr when unknown or not creatable.
    static CObject* CreateObject(const char* lpszClassName);
};

// Adds a record to the chain searched by name; one static instance per implemented class.
struct CRuntimeClassRegistrar {
    explicit CRuntimeClassRegistrar(CRuntimeClass* pClass);
};

// The root of the framework's objects: a run-time class record and an empty Serialize.
// Virtual slots in order: GetRuntimeClass, destructor, Serialize.
class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define ZIVRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                 \
    CRuntimeClass class_name::class##class_name = {                                                \
        #class_name, int(sizeof(class_name)),        wSchema,                                      \
        pfnNew,      RUNTIME_CLASS(base_class_name), nullptr};                                     \
    static CRuntimeClassRegistrar zivraRegister##class_name(RUNTIME_CLASS(class_name));            \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    ZIVRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject() { return new class_name; }                                 \
    ZIVRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// The schema number is accepted for the classic spelling and ignored: no file holds one.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* class_name::CreateObject() { return new class_name; }                                 \
    ZIVRA_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, UINT(wSchema),                       \
                                 class_name::CreateObject)
