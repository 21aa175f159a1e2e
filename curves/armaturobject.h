#pragma once
// The persistent base of the valve domain: curves, valves, accessories and
// models all derive from it. It carries the back link to the owning object,
// the run-time class identity (class names are what model files store) and
// the hooks for reading and writing an object from and to a tree-store node.
//
// The base lives with the curves, the lowest domain layer, because curves are
// already persistent domain objects and must not include anything from the
// valve layer above them.

#include <string>

#include "kavex/platform/export.h"
#include "kavex/platform/runtimeclass.h"

class CNode;

namespace nrvBaseArmaturen {

class KAVEX_API nrvArmaturObject : public CObject {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturObject)

public:
    nrvArmaturObject() = default;
    explicit nrvArmaturObject(nrvArmaturObject* parent) : m_pParent(parent) {}
    nrvArmaturObject(const nrvArmaturObject& other) = default;
    // Only the back link travels; derived classes copy their own data.
    nrvArmaturObject& operator=(const nrvArmaturObject& other);
    ~nrvArmaturObject() override;

    // The containing object (a curve's valve, a valve's model); not owned.
    nrvArmaturObject* getParent() const { return m_pParent; }
    void setParent(nrvArmaturObject* parent) { m_pParent = parent; }

    // The run-time class name ("CKurve", "nrvArmaturDross", ...); empty when
    // the object has no class record.
    std::string desc() const;

    // Persistence against a tree-store node. The base has nothing to store.
    virtual bool read(CNode* node);
    virtual bool write(CNode* node) const;

    // True when this object's class is `cls` or derives from it; false when
    // either has no class record.
    bool isDerivedFrom(const CRuntimeClass* cls) const;
    // The same test against the class of `other`.
    bool isDerivedFrom(const nrvArmaturObject& other) const;

    // The kv value a throttling valve opens to during thermal disinfection of
    // the drinking-water installation; 0 means "no disinfection function".
    // A setting curve asks its owner for it to cap the low-temperature part of
    // its kv function. Only throttling valves override it; everything else
    // (and a curve without owner) answers 0.
    virtual double getKvThermDesinfektion() const;

private:
    nrvArmaturObject* m_pParent = nullptr;
};

}  // namespace nrvBaseArmaturen
