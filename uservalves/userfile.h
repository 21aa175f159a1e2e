#pragma once
// The user valve file ("*.userarm"): one file per manufacturer with its model
// series, their nominal sizes, damper positions and curves, as the curve entry
// dialogs edit them. This header holds the editing model of one file, the
// writer that turns it into the file's tree and the readers of that tree
// (whole files for editing, single series for the catalogue dialog and the
// user valve container). Layout of the tree: docs/userfile.md.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/valves/armaturtyp.h"

class CNode;

namespace nrvUserArmaturen {

// Trade abbreviation of a host valve kind: "HT" heating (4444 to 4461), "PW"
// drinking water (5555 to 5574), "VE" duct components (6666 to 6676), bounds
// included and compared with a tolerance of 1e-10; empty for any other kind.
KAVEX_API std::string getGewerkeKrzlFromTyp(double typ);

// The file version written for new manufacturers. Version 2 stores the curve
// lists as "X"/"Y" and adds the effective pressures "DPWIRK"; version 1 (and
// anything below 2) stores "VOL"/"DP" without effective pressures.
inline constexpr int UserArmDateiVersion = 2;

// One measured point. x and y are the abscissa and ordinate as entered
// (flow and pressure loss, setting and kv, ...), dpWirk the effective
// pressure of a flow regulator at that point, einst the point's label.
struct KAVEX_API UserKurvenPunkt {
    double x = 0.0;
    double y = 0.0;
    double dpWirk = 0.0;
    std::string einst;
    bool operator==(const UserKurvenPunkt&) const = default;
};

struct KAVEX_API UserKurve {
    bool interpolierbar = false;  // values between the points may be interpolated
    std::vector<UserKurvenPunkt> punkte;
    bool operator==(const UserKurve&) const = default;
};

// A damper (or setting) position of a nominal size with its own curve.
struct KAVEX_API UserKlappenstellung {
    std::string bezeichnung;      // "REG": the position as the user names it ("30°", "3")
    std::string einheit;          // "EINH": unit of the position ("°", "Umdr.")
    bool interpolierbar = false;  // "INTP": may be interpolated with its neighbours
    double schrittweite = 0.0;    // "STP": step between positions
    UserKurve kurve;
    bool operator==(const UserKlappenstellung&) const = default;
};

struct KAVEX_API UserNennweite {
    std::string bezeichnung;  // "DN": "DN 15" or, for rectangular ducts, "a=300 b=200"
    double kvs = 0.0;
    std::string artikelNr;
    std::vector<UserKlappenstellung> klappenstellungen;
    UserKurve kurve;  // the size's own curve (used when it has no positions)
    bool operator==(const UserNennweite&) const = default;

    static std::string bezeichnungDN(int dn);              // "DN %d"
    static std::string bezeichnungRechteck(int a, int b);  // "a=%d b=%d"
};

struct KAVEX_API UserModellreihe {
    std::string bezeichnung;                         // "BEZ"
    int armaturenTyp = nrvBaseArmaturen::enArmNone;  // "ETYP", an enArmaturenTyp
    // "REC": the series' sizes are rectangular duct dimensions "a=%d b=%d"
    // (the shape "rechteckig" of a duct component series) rather than "DN %d".
    bool rechteckig = false;
    // The series is defined per damper position. A size without any position
    // still carries an empty "KLAPPENSTELLUNG" child in the file, so that the
    // flag survives sizes whose positions are not entered yet.
    bool mitKlappenstellungen = false;
    std::vector<UserNennweite> nennweiten;
    bool operator==(const UserModellreihe&) const = default;
};

// One manufacturer = one file.
struct KAVEX_API UserHersteller {
    std::string name;       // "HERST"
    std::string dateipfad;  // the file it was read from; empty for a new manufacturer
    bool geaendert = true;  // edited since reading (a new manufacturer counts as edited)
    int version = UserArmDateiVersion;
    std::vector<UserModellreihe> modellreihen;

    // Name, version and series; path and changed flag do not take part.
    bool inhaltGleich(const UserHersteller& other) const;
};

// --- writing --------------------------------------------------------------------

// A curve number as the file holds it: "%.8f" for a value that is not 0 and
// whose decimal logarithm is not above -3 (positive values up to 0.001 and all
// negative values), "%f" otherwise.
KAVEX_API std::string formatUserArmZahl(double value);

// A point is a measured value, and is written, when both coordinates are
// finite and not negative.
KAVEX_API bool punktWirdGeschrieben(const UserKurvenPunkt& punkt);
// A point label as the ';'-list can hold it: every ';' becomes ','.
KAVEX_API std::string einstFuerListe(std::string einst);

// Adds the curve as a "KURVE" child of `parent`. Points with a negative (or
// not finite) abscissa or ordinate are skipped; a curve of which no point is
// left is not written (false). Labels lose their ';' (replaced by ','), as the
// lists have no escape for it.
KAVEX_API bool schreibeUserArmKurve(CNode& parent, const UserKurve& kurve, int version);
// The file's tree ("KURVEN"); null when the manufacturer has neither a name nor
// any series that is written (no file for it).
KAVEX_API std::unique_ptr<CNode> baueUserArmBaum(const UserHersteller& hersteller);
// Builds the tree and writes it atomically; false when there is no tree or the
// file cannot be written (the old file then stays).
KAVEX_API bool schreibeUserArmDatei(const UserHersteller& hersteller, const std::string& pfad);

// --- reading --------------------------------------------------------------------

// Trade test of a series' "GEW" for the sheet filter of the caller: an empty
// trade, "HT", "PW" and "VE" pass always, any other text only under the sheet
// filters 2, 17 and -1 (all). Compared without case.
KAVEX_API bool gewerkZugelassen(std::string_view gewerk, int blattFilter);
// A "MODELLREIHE" node is offered when its trade passes and its "ETYP" is the
// requested kind (a negative kind asks for every kind).
KAVEX_API bool modellreiheAngeboten(const CNode& reihe, int armaturenTyp, int blattFilter);
// The offered "MODELLREIHE" children of a file's root, in file order.
KAVEX_API std::vector<const CNode*> findeModellreihen(const CNode& root, int armaturenTyp,
                                                      int blattFilter);

// "HERST" (first value) and "VERSION" of a file's root.
KAVEX_API std::string leseHerstellerName(const CNode& root);
KAVEX_API int leseUserArmVersion(const CNode& root);

// A curve from a node named "KURVE" or from that node's "KURVE" child; false
// (and an empty curve) when there is none. `version` below 0 means "not
// known": "VOL" is taken, or "X" when it is missing, "DP" or "Y" likewise, and
// "DPWIRK" always. A known version takes its own leaves ("VOL"/"DP" below 2,
// "X"/"Y" from 2 on) and falls back to the others when they are missing;
// effective pressures are read from version 2 on only.
KAVEX_API bool leseUserArmKurve(const CNode& node, UserKurve& kurve, int version = -1);
// One "MODELLREIHE" node with its sizes, positions and curves.
KAVEX_API UserModellreihe leseModellreihe(const CNode& reihe, int version = -1);
// A whole file's tree; false when the root is not "KURVEN". Path and changed
// flag of `hersteller` are left alone.
KAVEX_API bool leseUserArmBaum(const CNode& root, UserHersteller& hersteller);
// Reads the file; on success the manufacturer remembers the path and is
// unchanged.
KAVEX_API bool leseUserArmDatei(const std::string& pfad, UserHersteller& hersteller);

}  // namespace nrvUserArmaturen
