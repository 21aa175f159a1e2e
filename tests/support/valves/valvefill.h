#pragma once
// Random filling of valves for round-trip tests: every persisted field of a
// valve of any catalogue class gets a random value.

#include <random>
#include <string>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/curves/kurve.h"
#include "kavex/curves/kurve14.h"
#include "kavex/valves/armatur.h"

namespace kavextest {

// The common part, then the class's own part.
void fillValveRandom(nrvVDIArmaturen::nrvArmatur& valve, std::mt19937& rng);
void fillCommon(nrvVDIArmaturen::nrvArmatur& valve, std::mt19937& rng);
// The part behind the common leaves; false for a class no filler knows.
bool fillOwnPart(nrvVDIArmaturen::nrvArmatur& valve, std::mt19937& rng);

// 1..maxNodes nodes with values written exactly by "%f" (multiples of 1/64),
// labels from a small set, units from a small set; x2 all 0 unless withX2.
void fillCurve(nrvBaseArmaturen::CKurve& curve, std::mt19937& rng, bool withX2, int maxNodes = 8);
void fillCurve14(nrvBaseArmaturen::CKurve14& curve, std::mt19937& rng, int maxNodes = 8);
void fillSettingCurve(nrvBaseArmaturen::CEinstellungKurve& curve, std::mt19937& rng);
float randomValue(std::mt19937& rng, float lo, float hi);  // a multiple of 1/64
std::string randomText(std::mt19937& rng);                 // includes ':' ';' '%' ä, may be empty

}  // namespace kavextest
