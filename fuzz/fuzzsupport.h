#pragma once
// What the round-trip fuzz targets share: a failed expectation aborts (so the
// fuzzer keeps the input), and an object's written tree text.

#include <cstdlib>
#include <string>

#include "kavex/platform/treestore.h"

namespace kavexfuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

// The tree text `object.write` produces; aborts when writing fails.
template <class T>
std::string treeText(const T& object) {
    CNode root;
    require(object.write(&root));
    std::string text;
    require(root.WriteToString(text));
    return text;
}

}  // namespace kavexfuzz
