#pragma once
// Assignment records: which valve model a project pre-selects for all
// components of a valve kind (global record) or uses for one component (local
// record), together with a complete copy of that model, so that a project can
// be recalculated without the catalogues.
//
// Text form of a record: one line of ';'-separated fields, a line feed, and
// the tree-store text of the model (see docs/services.md).
//   catalogue record: key;version;global;model id;type;designation;A;class
//   user record:     *key;version;global;model id;type;designation;B;A;class
// Fields are ';'-separated, so a designation or class text holding ';' does
// not survive the line; every other character (':', '%', umlauts) does.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturtyp.h"

class CNode;

namespace nrvBaseArmaturen {

// The host's reference to a valve of an assigned model.
struct KAVEX_API ARMATUR {
    ARMATUR() = default;
    // The usual short forms: ARMATUR{id}, ARMATUR{id, dn}.
    ARMATUR(int modellId, int dn = 0, std::string dimension = {}, int einstellung = -1,
            int einstellung2 = -1)
        : modellId(modellId),
          dn(dn),
          dimension(std::move(dimension)),
          einstellung(einstellung),
          einstellung2(einstellung2) {}

    int modellId = 0;       // assignment record's model id; below 1: none
    int dn = 0;             // nominal size
    std::string dimension;  // size text of user valves ("DN %d", "a=%d b=%d")
    int einstellung = -1;   // setting index; -1: none
    int einstellung2 = -1;  // setting of the flow-regulator part of combined valves

    // A finder's result names a size: a DN of 1 or more, or a size text.
    bool hasSize() const { return dn >= 1 || !dimension.empty(); }
};

// The part every assignment record shares, fields in stored order.
class KAVEX_API ArmaturenModell {
public:
    int modellId = 0;  // number within the container; 0: not yet numbered
    int intA = 0;      // stored and copied, not interpreted
    int version = 2;   // text form version (1 or 2)
    int global = 0;    // above 0: global record
    enArmaturenTyp typ = enArmNone;
    std::string bezeichnung;  // compared ignoring case for kind 5556
    std::string klasse;       // component class served; empty: every class
    int intB = 0;             // consumer kind of an outlet-fitting record

    bool isGlobal() const { return global > 0; }

    // The class filter: a record serves a requested component class when the
    // request is empty, the record serves every class, or both are equal
    // (case-sensitive).
    static bool passesClassFilter(std::string_view recordClass, std::string_view requested) {
        return requested.empty() || recordClass.empty() || recordClass == requested;
    }
    bool passesClassFilter(std::string_view requested) const {
        return passesClassFilter(klasse, requested);
    }

    // --- helpers of the text form, shared by both record kinds --------------
    // Fields of the first line (up to the first LF), ';'-separated, counted
    // from 1 by index 0 of the result; a field beyond the end is not there.
    static std::vector<std::string_view> lineFields(std::string_view text);
    // Writes `model` into a fresh node without name, turns it into tree text,
    // trims it and appends it to `text`; false (text unchanged) when the
    // model's write fails.
    static bool appendModelText(std::string& text, const nrvArmaturObject& model);
    // The tree part of a record text: everything after the first LF, leading
    // CR, LF and ':' removed, trimmed, parsed. Null when there is no line feed,
    // the part is empty or not a tree.
    static std::unique_ptr<CNode> parseModelText(std::string_view text);
    // Blanks, tabs, CR and LF removed at both ends / at the right end.
    static std::string_view trim(std::string_view text);
    static std::string_view trimRight(std::string_view text);
};

// Assignment record of a catalogue valve model.
class KAVEX_API VDIArmaturenModell : public ArmaturenModell {
public:
    VDIArmaturenModell();
    VDIArmaturenModell(const VDIArmaturenModell& other);
    VDIArmaturenModell& operator=(const VDIArmaturenModell& other);

    // Empties `text`, writes the record line for `key` and a line feed, then
    // the model (writeToStringEx).
    virtual bool writeToString(std::string& text, std::string_view key) const;
    virtual ~VDIArmaturenModell();

    // Appends the model's trimmed tree text; false when the model cannot be
    // written.
    bool writeToStringEx(std::string& text) const;
    // The record line alone (no line feed).
    std::string recordLine(std::string_view key) const;
    // Reads a record written for `key`. On false the fields read so far stay
    // and the model may hold part of the tree; callers use a fresh record.
    bool readFromString(std::string_view text, std::string_view key);

    // Same assignment: same valve type, compatible class text (a non-empty
    // requested `klasse` must equal a non-empty own class text), same
    // manufacturer, model type and execution texts; with `sameIdentity` that
    // suffices, otherwise the model texts must be equal too.
    bool isEqualTo(const VDIArmaturenModell& other, std::string_view klasse,
                   bool sameIdentity) const;

    // True when the model holds no valve.
    bool bIsEmpty() const;

    // The valve of the model that fits the nominal size `dn` and, unless kv
    // is -1, reaches kv with the smallest surplus (see findNearestArmaturEx).
    nrvVDIArmaturen::nrvArmatur* findNearestArmatur(int dn, double kv) const;
    // On valves in ascending DN: with kv other than -1, among the valves up to
    // the first one above `dn`, the one whose kvs is at least kv and closest to
    // it (the first on equal distance). Otherwise, or when there is none, the
    // first valve of at least `dn`, else the last valve; null for no valves.
    static nrvVDIArmaturen::nrvArmatur* findNearestArmaturEx(
        const std::vector<nrvVDIArmaturen::nrvArmatur*>& valves, int dn, double kv);

    nrvVDIArmaturen::nrvVDIArmaturenModell& getModell() { return m_modell; }
    const nrvVDIArmaturen::nrvVDIArmaturenModell& getModell() const { return m_modell; }

private:
    nrvVDIArmaturen::nrvVDIArmaturenModell m_modell;
};

}  // namespace nrvBaseArmaturen
