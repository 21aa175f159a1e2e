#include "kavex/curves/armaturobject.h"

namespace nrvBaseArmaturen {

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturObject, CObject)

nrvArmaturObject::~nrvArmaturObject() = default;

nrvArmaturObject& nrvArmaturObject::operator=(const nrvArmaturObject& other) {
    m_pParent = other.m_pParent;
    return *this;
}

std::string nrvArmaturObject::desc() const {
    const CRuntimeClass* cls = GetRuntimeClass();
    if (cls == nullptr || cls->m_lpszClassName == nullptr) return {};
    return cls->m_lpszClassName;
}

bool nrvArmaturObject::read(CNode* /*node*/) {
    return true;
}

bool nrvArmaturObject::write(CNode* /*node*/) const {
    return true;
}

bool nrvArmaturObject::isDerivedFrom(const CRuntimeClass* cls) const {
    const CRuntimeClass* own = GetRuntimeClass();
    return own != nullptr && cls != nullptr && own->IsDerivedFrom(cls);
}

bool nrvArmaturObject::isDerivedFrom(const nrvArmaturObject& other) const {
    return isDerivedFrom(other.GetRuntimeClass());
}

double nrvArmaturObject::getKvThermDesinfektion() const {
    return 0.0;
}

}  // namespace nrvBaseArmaturen
