#include "kavex/platform/runtimeclass.h"

#include <vector>

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};

CObject::~CObject() = default;

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
    const CRuntimeClass* own = GetRuntimeClass();
    return own != nullptr && own->IsDerivedFrom(cls);
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    if (base == nullptr) return false;
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base) return true;
    }
    return false;
}

CObjectFactory::CObjectFactory(Registration registration)
    : m_registration(std::move(registration)) {}

CObjectFactory::~CObjectFactory() = default;

void CObjectFactory::Register(std::unique_ptr<CObject> prototype) {
    if (!prototype) return;
    const CRuntimeClass* cls = prototype->GetRuntimeClass();
    if (cls == nullptr || cls->m_lpszClassName == nullptr) return;
    std::unique_lock lock(m_mutex);
    m_prototypes[cls->m_lpszClassName] = std::move(prototype);
}

void CObjectFactory::ensureFilled() {
    // The registration function calls Register, which takes the map lock; the
    // once-flag keeps every other caller waiting until the filling is done.
    std::call_once(m_filled, [this] {
        if (m_registration) m_registration(*this);
    });
}

std::unique_ptr<CObject> CObjectFactory::Create(std::string_view className) {
    ensureFilled();
    std::shared_lock lock(m_mutex);
    auto it = m_prototypes.find(className);
    if (it == m_prototypes.end()) return nullptr;
    return std::unique_ptr<CObject>(it->second->GetRuntimeClass()->CreateObject());
}

std::size_t CObjectFactory::Count() {
    ensureFilled();
    std::shared_lock lock(m_mutex);
    return m_prototypes.size();
}

std::vector<std::string> CObjectFactory::ClassNames() {
    ensureFilled();
    std::shared_lock lock(m_mutex);
    std::vector<std::string> names;
    names.reserve(m_prototypes.size());
    for (const auto& [name, proto] : m_prototypes) names.push_back(name);
    return names;
}
