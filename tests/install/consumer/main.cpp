// A tiny host: includes the umbrella header and uses the public interface.
#include <kavex/kavex.h>

#include <iostream>

int main() {
    CNode root("Modell");
    root.AddLeaf("VER", 0);
    root.AddLeaf("MON", "Serie A");
    std::string text;
    if (!root.WriteToString(text)) return 1;
    auto back = TreeItems::ReadFromString(text);
    if (!back || back->GetStrLeafValue("", "MON") != "Serie A") return 2;
    std::cout << "consumer ok (kavex " << KAVEX_VERSION << ")\n";
    return 0;
}
