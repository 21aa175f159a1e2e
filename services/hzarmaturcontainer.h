#pragma once
// The container of heating networks (guideline sheet 2): its own global and
// local lists behind its own singleton.

#include "kavex/platform/export.h"
#include "kavex/services/armaturcontainer.h"

namespace nrvBaseArmaturen {

class KAVEX_API HzArmaturContainer : public RnArmaturContainer {
public:
    static constexpr int Blatt = 2;

    // Created on first use (thread-safe), destroyed when the library unloads.
    static HzArmaturContainer& instance();

    HzArmaturContainer();
    ~HzArmaturContainer() override;
};

}  // namespace nrvBaseArmaturen
