#pragma once
// The class factory of the valve domain: creates valves, accessories and
// catalogue models by their run-time class name, the name model files and
// project records store. It knows the catalogue valve classes, the accessory
// and the catalogue model from the start; classes of higher layers (the user
// valve) register themselves at start-up through registerArmaturClass.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/armaturobject.h"
#include "kavex/platform/export.h"
#include "kavex/platform/runtimeclass.h"

namespace nrvBaseArmaturen {

// The process-wide factory. It fills itself on first use.
KAVEX_API CObjectFactory& getArmaturClassFactory();

// Adds (or replaces, for a name already known) the prototype of a class of a
// higher layer. May be called at any time, also after the factory has filled
// itself (the factory guards its registry). Null is ignored.
KAVEX_API void registerArmaturClass(std::unique_ptr<CObject> prototype);

// A new object of the named class, or null for an unknown name or a class
// outside the valve domain.
KAVEX_API std::unique_ptr<nrvArmaturObject> createArmaturObject(std::string_view className);

// The registered class names, sorted.
KAVEX_API std::vector<std::string> getArmaturClassNames();

}  // namespace nrvBaseArmaturen
