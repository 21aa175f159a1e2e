#pragma once
// From the user valve file to the user valve model a project calculates with:
// one series of a manufacturer becomes one nrvUserArmaturenModell with one
// nrvUserArmatur per nominal size (mapping: docs/userfile.md).

#include <string>
#include <string_view>

#include "kavex/platform/export.h"
#include "kavex/uservalves/userarmatur.h"
#include "kavex/uservalves/userfile.h"

class CNode;

namespace nrvUserArmaturen {

// Nominal size and size text of a valve from a size designation: "DN 15"
// gives DN 15 and no text; "a=300 b=200" gives DN 0 and "300x200" (a, then b);
// any other designation gives its leading number as DN when that is above 0,
// else DN 0 and the designation itself as text.
KAVEX_API void leseNennweitenBezeichnung(std::string_view bezeichnung, int& dn,
                                         std::string& dimensionsText);

// Fills `armatur` (its curves replaced) from one size of `reihe`: article
// number, kvs, nominal size; with damper positions one curve per position
// (curve flag = the curve's interpolation flag, position text = "REG",
// position flag = the position's interpolation flag); without positions the
// size's own curve, and for flow regulators (4452) a second curve of the
// effective pressures over the same abscissae. Points a file would not keep
// (negative) are left out. A size whose curves hold no point is computed with
// kvs when kvs is above 0.
KAVEX_API void fuelleUserArmatur(const UserModellreihe& reihe, const UserNennweite& nennweite,
                                 nrvUserArmatur& armatur);

// Replaces `modell` with the series: manufacturer, model name = the series'
// designation, user valve kind = its "ETYP", one valve per size in order.
KAVEX_API void erzeugeUserArmaturenModell(const UserHersteller& hersteller,
                                          const UserModellreihe& reihe,
                                          nrvUserArmaturenModell& modell);
// The same from a loaded file: `reihe` is one of the root's "MODELLREIHE"
// nodes (findeModellreihen); the file's version selects the curve leaves.
KAVEX_API void erzeugeUserArmaturenModell(const CNode& root, const CNode& reihe,
                                          nrvUserArmaturenModell& modell);

}  // namespace nrvUserArmaturen
