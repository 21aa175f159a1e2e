#pragma once
// The host's entry to user-defined valves during a pipe-network calculation,
// the counterpart of RnArmaturContainer for catalogue valves. It holds the
// project's user valve assignments in a global and a local list, resolves the
// host's ARMATUR references to user valves, gives kv values, pressure losses
// and settings, chooses the user valve of the global models that suits a
// pressure reducer, flow regulator, backflow preventer, pipe separator or
// resistance, and checks the project's user models against the user valve
// files. Choices: docs/usercontainer.md.
//
// Ownership: the container owns its records (std::unique_ptr lists); records
// own their models, models their valves. Pointers it hands out are borrowed
// and stay valid until the list they belong to changes. Nothing here takes a
// lock: the host calls from its user-interface thread.
//
// Units are those of the host's calculation (flow m³/h, pressure Pa, kv
// m³/h at 1 bar), except that the curves of backflow preventers and pipe
// separators are entered in l/s and mbar: their finders convert.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/services/userarmaturenmodellrecord.h"

class CNode;
class CProNodeBase;
class CUserDoc;
class nrvComboBox;

namespace nrvUserArmaturen {

using nrvBaseArmaturen::ARMATUR;

class KAVEX_API RnUserArmaturContainer {
public:
    using RecordList = std::vector<std::unique_ptr<UserArmaturenModell>>;
    using RecordView = std::vector<UserArmaturenModell*>;  // borrowed
    using ValveList = std::vector<nrvUserArmatur*>;        // borrowed

    // The module's container, created on first use (thread-safe).
    static RnUserArmaturContainer& instance();

    RnUserArmaturContainer();
    virtual ~RnUserArmaturContainer();
    RnUserArmaturContainer(const RnUserArmaturContainer&) = delete;
    RnUserArmaturContainer& operator=(const RnUserArmaturContainer&) = delete;

    // Deletes every record (empty `gewerk`) or those whose valve kind belongs
    // to the trade ("HT", "PW", "VE"); the last used model id becomes the
    // largest id left.
    virtual void removeAll(std::string_view gewerk = {});

    // --- lists and ids ----------------------------------------------------
    const RecordList& userArmaturen(bool local) const { return local ? m_lokal : m_global; }
    int getUserCountGlobal() const { return static_cast<int>(m_global.size()); }
    int getUserCountLocal() const { return static_cast<int>(m_lokal.size()); }
    int getUserCountTotal() const { return getUserCountGlobal() + getUserCountLocal(); }
    // Null for an index outside the list (global first for the total).
    UserArmaturenModell* getAtUserGlobal(int index) const;
    UserArmaturenModell* getAtUserLokal(int index) const;
    UserArmaturenModell* getAtUserTotal(int index) const;
    UserArmaturenModell* GetAtUserGlobal(int index) const { return getAtUserGlobal(index); }
    UserArmaturenModell* GetAtUserLocal(int index) const { return getAtUserLokal(index); }

    // A stored record of the same list that equals the record (full
    // comparison for `klasse`) takes over its model and gives the caller its
    // model id; the list's last index is returned. Otherwise a copy with
    // sorted curves is appended: model id 0 becomes last used id + 1 (also in
    // the caller's record), a larger id raises the last used id; the new
    // index is returned.
    int append(UserArmaturenModell& record, std::string_view klasse = {});
    // Overwrites the first record of the record's list with the same model id
    // (curves sorted); false when there is none, else whether the stored
    // copy equals the record for `klasse`.
    bool SetAt(const UserArmaturenModell& record, std::string_view klasse);
    // Removes the first record of the record's list that is the same
    // assignment; false when there is none.
    bool RemoveAt(const UserArmaturenModell& record, std::string_view klasse);
    // An index outside the list is ignored.
    void RemoveAt(bool local, int index);

    int getLastUsedModellID() const { return m_lastUsedId; }
    void setLastUsedModellID(int id) { m_lastUsedId = id; }
    bool hasModellID(int id) const;
    bool hasModellID(int id, bool local) const;
    // The record of that id in one list; the empty record when there is none.
    const UserArmaturenModell& getUserArmModFromID(int id, bool local) const;
    static int findParentModellId(const RecordList& list, const nrvUserArmatur* valve);
    static int findParentModellId(const RecordView& list, const nrvUserArmatur* valve);
    bool hasArmaturenmodell(enArmaturenTyp typ, bool local) const;
    int getCountOf(enArmaturenTyp typ, bool local) const;
    // A record of the same kind in the record's list that passes the class
    // filter and is the same assignment (isEqualTo).
    bool hasEqualTypes(const UserArmaturenModell& record, std::string_view klasse,
                       bool sameIdentity) const;
    // As hasEqualTypes; the found record's model id goes into `record`.
    bool findEqualType(UserArmaturenModell& record, std::string_view klasse,
                       bool sameIdentity) const;
    // The records of one list: all for kind -1, else those of the kind.
    RecordView getUserArmaturenModelle(bool local, int typ) const;
    // The valve the reference names (its model by id, its valve by DN).
    nrvUserArmatur* getUserArmatur(const ARMATUR& arm) const { return getArmatur(arm, -1.0); }

    // --- lookups ------------------------------------------------------------
    // The record of the reference's model id: global list first, each list
    // from its end; the empty record when there is none.
    const UserArmaturenModell& getArmaturenModell(const ARMATUR& arm) const;
    const UserArmaturenModell& getArmaturenModell(const ARMATUR& arm, bool local) const;
    // The record whose model holds the valve (global list first).
    const UserArmaturenModell& getArmaturenModell(const nrvUserArmatur* valve) const;
    const UserArmaturenModell& getArmaturenModell(const nrvUserArmatur* valve, bool local) const;
    // The valve of the reference's model nearest to its DN and kv (kv -1: by
    // DN alone); null when the model has no valves.
    nrvUserArmatur* getArmatur(const ARMATUR& arm, double kv) const;
    nrvUserArmatur* getArmatur(const ARMATUR& arm, int kv) const {
        return getArmatur(arm, double(kv));
    }
    void getNennweitenFromArmatur(const ARMATUR& arm, std::vector<int>& dns) const;
    static void getNennweitenFromArmatur(const UserArmaturenModell& record, std::vector<int>& dns);
    // One entry per valve: its size text, or "%d" of its DN; item data the
    // DN. The first valve of at least the reference's DN is selected.
    void fillNennweiteCombo(nrvComboBox& combo, const ARMATUR& arm) const;
    std::string getArtikelNr(const ARMATUR& arm) const;
    std::string getManufacturer(const ARMATUR& arm) const;
    std::string getModelType(const ARMATUR& arm) const;
    // "manufacturer model, size" of the referenced valve ("Beispiel GmbH
    // Serie A, DN 15" or "…, 300x200"); empty when there is no valve.
    std::string getKurztext(const ARMATUR& arm) const;

    // --- values ---------------------------------------------------------------
    // kv at the reference's setting (kvs for a valve computed with it).
    bool getKvIst(const ARMATUR& arm, double& kv) const;
    // kv of point `einstellung` of the first curve (the last point for larger
    // indexes); false without a valve, for a negative setting or without points.
    static bool getKvIst(const nrvUserArmatur* valve, int einstellung, double& kv);
    static bool isInKvRange(const nrvUserArmatur* valve, double kv);
    // kv a flow regulator needs to pass `volumenstrom` at its effective
    // pressure for the reference's setting.
    bool getKvMaxDFR(const ARMATUR& arm, double volumenstrom, double rho, double& kv) const;
    // Effective pressure of a flow regulator: point `einstellung` of the
    // second of exactly two curves; 0 otherwise.
    static double getWirkdruck(const nrvUserArmatur* valve, int einstellung);
    // Pressure loss of the referenced valve at `value` (a kv or a flow, as
    // the user's curves are entered); 0 when none can be read.
    double getDruckverlustFromKv(const ARMATUR& arm, double value, bool firstCurveOnly) const;
    double getDruckverlustFromVolumenstrom(const ARMATUR& arm, double value,
                                           bool firstCurveOnly) const;
    // The two numbers of a size text "20x30" (any single separator), the
    // smaller first; (0, 0) for any other text.
    static std::pair<int, int> getValuesFromDimString(std::string_view text);
    // "HT", "PW", "VE" or empty for a valve kind.
    static std::string getGewerkeKrzlFromTyp(double typ);

    // --- finders ----------------------------------------------------------------
    // Each global finder resets the reference's model id and setting, takes
    // the global records of its kind and runs the list finder; the local
    // finders use the reference's own (local) record. `keepDN` limits the
    // candidates to the reference's DN when that is 1 or more.
    // Pressure reducers (5570): `druck` is the requested outlet pressure.
    bool findGlobalDM(double druck, ARMATUR& arm, bool keepDN, std::string_view klasse) const;
    bool findLocalDM(double druck, ARMATUR& arm, bool keepDN) const;
    // Flow regulators (the records of `typ`; 4452 when it is enArmNone).
    bool findGlobalDurchflussregler(double volumenstrom, ARMATUR& arm, enArmaturenTyp typ,
                                    bool keepDN, std::string_view klasse) const;
    bool findLocalDurchflussregler(double volumenstrom, ARMATUR& arm, enArmaturenTyp typ,
                                   bool keepDN) const;
    // Backflow preventers (5559) and pipe separators (5569): flow in m³/h and
    // pressure in Pa, converted to the l/s and mbar of their curves.
    bool findGlobalRFV(double volumenstrom, ARMATUR& arm, bool keepDN,
                       std::string_view klasse) const;
    bool findLocalRFV(double volumenstrom, ARMATUR& arm, bool keepDN) const;
    bool findGlobalTrenner(double volumenstrom, double druck, ARMATUR& arm, bool keepDN,
                           std::string_view klasse) const;
    bool findLocalTrenner(double volumenstrom, double druck, ARMATUR& arm, bool keepDN) const;

    // By nominal size alone (the name is not consulted).
    bool findGlobalFestwiderstand(std::string_view name, enArmaturenTyp typ, ARMATUR& arm,
                                  std::string_view klasse) const;
    // A valve and setting for the required kv: keeps the reference's valve
    // when it reaches kv (unless `alwaysBest`), else the best global one.
    bool findGlobalVariablenWiderstand(double kv, enArmaturenTyp typ, ARMATUR& arm, bool alwaysBest,
                                       bool lowerKv, std::string_view klasse) const;
    bool _BestArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                  std::string_view klasse) const;
    bool _KeepArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                  std::string_view klasse) const;
    // A user thermostatic valve (records of kind 4446) whose kvmax lies
    // between kv and the preferred kvmax, as close to the latter as possible.
    bool findGlobalVariablesTHKV(double kv, double kvmaxPreferred, bool lowerKv, ARMATUR& arm,
                                 std::string_view klasse) const;

    // The list finders; the records are borrowed, the class filter applies.
    bool findDMEx(const RecordView& records, double druck, ARMATUR& arm, bool keepDN,
                  std::string_view klasse) const;
    bool findDurchflussreglerEx(const RecordView& records, double volumenstrom, ARMATUR& arm,
                                enArmaturenTyp typ, bool keepDN, std::string_view klasse) const;
    // Flow in l/s, pressure in mbar (-1: not checked; checked for 5569 only).
    bool findSicherungEx(const RecordView& records, double volumenstrom, ARMATUR& arm,
                         enArmaturenTyp typ, bool keepDN, double druck,
                         std::string_view klasse) const;
    // A global valve of the kind for a required kv (rules: docs/usercontainer.md).
    bool findArmatur(double kv, ARMATUR& arm, enArmaturenTyp typ, std::string_view klasse) const;
    // Writes the valve's DN and its model id (global list first) into the
    // reference; true when the id is 1 or more and the reference names a size.
    bool assignArmatur(const nrvUserArmatur* valve, ARMATUR& arm) const;
    // Keeps the valves up to `dn`, or those of the smallest DN when none is
    // that small.
    static void sortOut(int dn, ValveList& valves);

    // --- settings -----------------------------------------------------------------
    // Text of the reference's setting, "*" appended for a valve computed with kvs.
    std::string getEinstellung(const ARMATUR& arm) const;
    // Text of point `index` of the first curve: its label, or "%g" of its x.
    static std::string getEinstellung(const nrvUserArmatur* valve, int index);
    // Point index for a required kv; -1 when none fits. `kurve` receives the
    // index of the curve the point belongs to (-1 when none).
    static int findEinstellung(const nrvUserArmatur* valve, double kv, bool lowerKv);
    static int findEinstellung(const nrvUserArmatur* valve, int& kurve, double kv, bool lowerKv);
    // Point of the first curve whose flow reaches `volumenstrom`; -1 when none.
    static int findEinstellungDFR(const nrvUserArmatur* valve, double volumenstrom);
    // Point of the first curve whose pressure reaches `druck`; 0 when none, -1
    // without points.
    static int findEinstellungDM(const nrvUserArmatur* valve, double druck);
    bool findArmaturenEinstellung(double kv, bool lowerKv, ARMATUR& arm) const;
    // The position (setting text) whose curve reaches `value`, interpolated
    // between two positions where the valve allows it ("3.5").
    std::string getAbgleichseinstellung(const ARMATUR& arm, double value,
                                        bool firstCurveOnly) const;
    // The same for the pressure loss `value` at `volumenstrom`; `reached`
    // receives the value the chosen setting gives.
    std::string getAbgleichseinstellung(const ARMATUR& arm, double volumenstrom, double value,
                                        double& reached, bool firstCurveOnly) const;
    // One entry per point of the first curve, from the last to the first:
    // "%.1f (kv=%.3fm³/h)", item data the point's kv as the bits of a double
    // (std::bit_cast back). The entry of the reference's setting is selected.
    // `kv` is kept for the host's call; the selection follows the setting.
    void fillEinstellungsCombo(nrvComboBox& combo, const ARMATUR& arm, double kv) const;

    // --- user valve files -------------------------------------------------------
    // False when a project user model of the document's manufacturer differs
    // from its series in the file; true without document, tree or "HERST".
    bool compareContainerWithFile(const CUserDoc* doc) const;
    // Loads the user valve documents of the directory into the module's
    // list and returns the paths of those that differ (from the last document).
    std::vector<std::string> compareContainerWithFiles(const std::string& directory) const;

    // --- project ------------------------------------------------------------------
    // Node "GlobalUserArmatures" with one section "Armature" per global
    // record (its "*key" line) and the attribute "LastArmaturesId"; null
    // without global records. The caller owns the node.
    std::unique_ptr<CProNodeBase> writeArmaturesToProNode(std::string_view key) const;
    std::unique_ptr<CNode> writeArmaturesToNode(std::string_view key) const;
    // Replaces the records by the user records of the node's "Armature"
    // children (catalogue records are skipped); the last used id becomes the
    // largest read id. False only for a null node (the container is empty then).
    bool readArmaturesFromProNode(const CProNodeBase* node, std::string_view key);
    bool readArmaturesFromNode(const CNode* node, std::string_view key);

private:
    RecordList& list(bool local) { return local ? m_lokal : m_global; }
    // Numbers (id 0: last used + 1; a larger id raises the last used id),
    // sorts the curves and stores the record; its index in its list.
    int adopt(std::unique_ptr<UserArmaturenModell> record);
    static const UserArmaturenModell* findById(const RecordList& list, int id);
    const UserArmaturenModell* findEqual(const UserArmaturenModell& record, std::string_view klasse,
                                         bool sameIdentity) const;
    RecordView globalRecordsOf(enArmaturenTyp typ) const;
    RecordView localRecordOf(const ARMATUR& arm) const;
    // Candidates of _BestArm steps 1 and 2 (and of the thermostatic finder).
    ValveList bestCandidates(enArmaturenTyp typ, int dn, std::string_view klasse) const;
    bool writeResult(const nrvUserArmatur* valve, int einstellung, ARMATUR& arm) const;
    bool compareModel(const UserArmaturenModell& record, const CNode& root, int version) const;

    UserArmaturenModell m_empty;
    int m_lastUsedId = 0;
    RecordList m_global;
    RecordList m_lokal;
};

}  // namespace nrvUserArmaturen
