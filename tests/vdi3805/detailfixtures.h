#pragma once
// A model series 110;3 (below 100;2) whose executions name property records:
//   800;1: 160;1, 200;1 (250;1), 300;1 (350;1, 360;1), 400;1 (450;1, 460;1;
//          the general 400;0 comes along), 500;1;
//   800;2: 200;2, 400;2 (and 400;0);   800;3: a TGA number too short.
// Lines of a ".vdix" file (UTF-8).

#include <string>
#include <vector>

namespace vditest {

// TGA number 002 003 <160 … 560> <700: 00005> <760: 000>.
inline std::string tgaNumber(const std::string& properties) {
    return "002003" + properties + "00005000";
}

inline std::vector<std::string> detailCatalogueLines(const std::string& sheet,
                                                     const std::string& date) {
    return {
        "010;" + sheet + ";" + date + ";Nordquell Ventiltechnik AG",
        "100;2;Zweirohr",
        "110;3;;Serie TK",
        "160;1;0;Eigenschaft frei",
        "200;1;1;",
        "250;1;2;",
        "200;2;2;",
        "300;1;1;",
        "350;1;0;",
        "360;1;999;Sonder",
        "400;0;3;",
        "400;2;2;",
        "400;1;1;",
        "450;1;8;Matt",
        "460;1;2;",
        "500;1;Handrad",
        "700;5;4;15",
        //            160 200 250 260 300 350 360 400 450 460 500 550 560
        "800;1;" + tgaNumber("001001001000001001001001001001001000000") + ";Eck",
        "800;2;" + tgaNumber("000002000000000000000002000000000000000") + ";Durchgang",
        "800;3;002003;zu kurz",
    };
}

inline std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace vditest
