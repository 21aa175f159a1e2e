#pragma once
// What the catalogue model and the user valve model do alike with the valves
// they own: index access that refuses a negative index and answers null at
// or beyond the end, and the list of raw pointers handed to callers.

#include <memory>
#include <stdexcept>
#include <vector>

namespace nrvBaseArmaturen {

template <class Valve>
Valve* valveAt(const std::vector<std::unique_ptr<Valve>>& valves, int i,
               const char* negativeMessage) {
    if (i < 0) throw std::invalid_argument(negativeMessage);
    if (static_cast<std::size_t>(i) >= valves.size()) return nullptr;
    return valves[static_cast<std::size_t>(i)].get();
}

template <class Valve>
std::vector<Valve*> valvePointers(const std::vector<std::unique_ptr<Valve>>& valves) {
    std::vector<Valve*> out;
    out.reserve(valves.size());
    for (const auto& valve : valves)
        if (valve) out.push_back(valve.get());
    return out;
}

}  // namespace nrvBaseArmaturen
