#include "kavex/services/twarmaturcontainer.h"

namespace nrvBaseArmaturen {

TwArmaturContainer& TwArmaturContainer::instance() {
    static TwArmaturContainer container;
    return container;
}

TwArmaturContainer::TwArmaturContainer() : RnArmaturContainer(Blatt) {}
TwArmaturContainer::~TwArmaturContainer() = default;

}  // namespace nrvBaseArmaturen
