#pragma once
// Assignment record of a user valve model: the bookkeeping every record
// shares (model id, global flag, valve kind, designation, class, the two
// integers) and a complete copy of the user valve model, so that a project
// calculates without the user valve files.
//
// Text form: one line, a line feed, the model's tree text.
//   version 2 (written): *key;2;global;model id;type;designation;B;A;class
//   version 1 (read):    *key;1;manufacturer;global;B;model id;designation;type
// Examples and choices: docs/usercontainer.md.

#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/services/armaturenmodellrecord.h"
#include "kavex/uservalves/userarmatur.h"

namespace nrvUserArmaturen {

class KAVEX_API UserArmaturenModell : public nrvBaseArmaturen::ArmaturenModell {
public:
    // The layout writeToString produces.
    static constexpr int kTextVersion = 2;

    UserArmaturenModell();
    UserArmaturenModell(const UserArmaturenModell& other);
    UserArmaturenModell& operator=(const UserArmaturenModell& other);
    ~UserArmaturenModell();

    nrvUserArmaturenModell& getArm() { return m_modell; }
    const nrvUserArmaturenModell& getArm() const { return m_modell; }

    // Every curve of every valve by x, descending: the container's lookups
    // (extremes, settings) rely on that order.
    void sortCurve();
    // True when the model holds no valve.
    bool bIsEmpty() const;

    // Same assignment: a non-empty requested `klasse` must equal this
    // record's class text (the valve kind is not compared), manufacturer and
    // model name must agree; with `sameIdentity` that suffices, otherwise the
    // model texts and the designations must be equal too.
    bool isEqualTo(const UserArmaturenModell& other, std::string_view klasse,
                   bool sameIdentity) const;

    // The valve of the model that fits the nominal size `dn` and, unless kv
    // is -1, reaches kv with the smallest surplus of its kvs.
    nrvUserArmatur* findNearestArmatur(int dn, double kv) const;
    // On valves in ascending DN: with kv other than -1, among the valves up to
    // the first one above `dn`, the one whose kvs is at least kv and closest
    // to it (the first on equal distance). Otherwise, or when there is none,
    // the first valve of at least `dn`, else the last valve; null for none.
    static nrvUserArmatur* findNearestArmaturEx(const std::vector<nrvUserArmatur*>& valves, int dn,
                                                double kv);

    // --- text form --------------------------------------------------------
    // The record line in the current layout (no line feed).
    std::string recordLine(std::string_view key) const;
    // Empties `text`, writes the record line for `key`, a line feed and the
    // model (writeToStringEx).
    bool writeToString(std::string& text, std::string_view key) const;
    // Appends the model's trimmed tree text; false when it cannot be written.
    bool writeToStringEx(std::string& text) const;
    // Reads a record written for `key`: a '*' in the first field and
    // everything before it are dropped before the key is compared. Version 2
    // and version 1 lines are understood; another version keeps the defaults
    // of the fields behind it and reads the tree only. On false the fields
    // read so far stay; callers use a fresh record.
    bool readFromString(std::string_view text, std::string_view key);

private:
    nrvUserArmaturenModell m_modell;
};

}  // namespace nrvUserArmaturen
