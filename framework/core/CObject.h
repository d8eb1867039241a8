#pragma once
#include "framework/core/Platform.h"

class CArchive;
class CObject;

// The debug checks of the framework. In debug builds ASSERT stops the program with the failed
// condition and its place; in release builds it compiles to nothing. VERIFY always evaluates.
void ZivraAssertFailed(const char* condition, const char* file, int line);
#ifndef ASSERT
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#define ASSERT(f) ((f) ? (void)0 : ZivraAssertFailed(#f, __FILE__, __LINE__))
#endif
#endif
#ifndef VERIFY
#ifdef NDEBUG
#define VERIFY(f) ((void)(f))
#else
#define VERIFY(f) ASSERT(f)
#endif
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ASSERT((p) != nullptr)
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif

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
