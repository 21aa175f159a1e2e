#include "kavex/services/hzarmaturcontainer.h"

namespace nrvBaseArmaturen {

HzArmaturContainer& HzArmaturContainer::instance() {
    static HzArmaturContainer container;
    return container;
}

HzArmaturContainer::HzArmaturContainer() : RnArmaturContainer(Blatt) {}
HzArmaturContainer::~HzArmaturContainer() = default;

}  // namespace nrvBaseArmaturen
