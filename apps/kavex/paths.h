#pragma once
#include <string>

namespace kavexcli {

// The bundled samples: $KAVEX_SAMPLES, else <prefix>/share/kavex/samples next to
// an installed program, else the source tree's samples/ (build tree).
std::string defaultSamplesDir();

}  // namespace kavexcli
