#pragma once
// The container of drinking-water networks (guideline sheet 17): its own
// global and local lists behind its own singleton.

#include "kavex/platform/export.h"
#include "kavex/services/armaturcontainer.h"

namespace nrvBaseArmaturen {

class KAVEX_API TwArmaturContainer : public RnArmaturContainer {
public:
    static constexpr int Blatt = 17;

    // Created on first use (thread-safe), destroyed when the library unloads.
    static TwArmaturContainer& instance();

    TwArmaturContainer();
    ~TwArmaturContainer() override;
};

}  // namespace nrvBaseArmaturen
