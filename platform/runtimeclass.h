#pragma once
// Run-time class records: a class name, the base class record and a factory
// for default-constructed objects. Persistent objects store their class name
// in files, and the object factory recreates them by that name.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"

class CObject;

struct KAVEX_API CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;  // null for the root
    CObject* (*m_pfnCreateObject)();    // null for abstract classes

    // A new default-constructed object of this class, owned by the caller; null
    // when the class cannot be created.
    CObject* CreateObject() const;
    // True when this class is `base` or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class KAVEX_API CObject {
public:
    virtual ~CObject();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const;
    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define KAVEX_RUNTIME_CLASS(cls) (&cls::class##cls)

// In the class body: the class record, the virtual accessor and the factory.
#define KAVEX_DECLARE_DYNCREATE(cls)                                                 \
public:                                                                             \
    static const CRuntimeClass class##cls;                                          \
    const CRuntimeClass* GetRuntimeClass() const override { return &class##cls; }   \
    static CObject* CreateObject();

// In one source file. The class name stored is the unqualified C++ name.
#define KAVEX_IMPLEMENT_DYNCREATE(cls, base)                                          \
    CObject* cls::CreateObject() { return new cls; }                                  \
    const CRuntimeClass cls::class##cls = {#cls, &base::class##base, &cls::CreateObject};

// For abstract classes: a class record without factory.
#define KAVEX_DECLARE_DYNAMIC(cls)                                                   \
public:                                                                             \
    static const CRuntimeClass class##cls;                                          \
    const CRuntimeClass* GetRuntimeClass() const override { return &class##cls; }

#define KAVEX_IMPLEMENT_DYNAMIC(cls, base) \
    const CRuntimeClass cls::class##cls = {#cls, &base::class##base, nullptr};

// Creates objects by run-time class name from prototypes registered once, on
// first use, by a registration function. Safe to use from several threads:
// the filling runs once, lookups share a lock, and further registrations (by
// higher layers, at any time) take it alone.
class KAVEX_API CObjectFactory {
public:
    using Registration = std::function<void(CObjectFactory&)>;

    explicit CObjectFactory(Registration registration = {});
    ~CObjectFactory();
    CObjectFactory(const CObjectFactory&) = delete;
    CObjectFactory& operator=(const CObjectFactory&) = delete;

    // Keeps the prototype under its class name; a second prototype of the same
    // name replaces the first. Null is ignored.
    void Register(std::unique_ptr<CObject> prototype);
    // A new object of the class registered under `className`; null for an
    // unknown name. Fills the registry on first use.
    std::unique_ptr<CObject> Create(std::string_view className);
    // Names registered so far (after filling), sorted.
    std::size_t Count();
    std::vector<std::string> ClassNames();

private:
    void ensureFilled();

    Registration m_registration;
    std::once_flag m_filled;
    mutable std::shared_mutex m_mutex;
    std::map<std::string, std::unique_ptr<CObject>, std::less<>> m_prototypes;
};
