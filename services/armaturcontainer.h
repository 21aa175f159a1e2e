#pragma once
// The host's entry to catalogue valves during a pipe-network calculation. The
// container holds the project's assignment records in two lists, global
// (pre-selected for all components of a valve kind) and local (one component
// each), resolves the host's ARMATUR references to catalogue valves, gives kv
// values and settings, chooses the best global valve for a required kv, and
// writes its global records into the project and reads them back.
//
// Ownership: the container owns its records (std::unique_ptr lists); records
// own their models, models their valves. Pointers it hands out (records,
// valves) are borrowed and stay valid until the list they belong to changes.
// Nothing here takes a lock: the host calls from its user-interface thread.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/services/armaturenmodellrecord.h"
#include "kavex/services/formeln.h"

class CNode;
class CProNodeBase;
class nrvComboBox;
struct CRuntimeClass;

namespace nrvBaseArmaturen {

class KAVEX_API RnArmaturContainer {
public:
    using Armatur = nrvVDIArmaturen::nrvArmatur;
    using RecordList = std::vector<std::unique_ptr<VDIArmaturenModell>>;
    using RecordView = std::vector<VDIArmaturenModell*>;  // borrowed

    // The pipe-network container (sheet 0), created on first use.
    static RnArmaturContainer& instance();

    RnArmaturContainer();
    virtual ~RnArmaturContainer();
    RnArmaturContainer(const RnArmaturContainer&) = delete;
    RnArmaturContainer& operator=(const RnArmaturContainer&) = delete;

    // Deletes every record of both lists; the last used model id becomes 0.
    virtual void removeAll();

    // Guideline sheet the container serves: 0, 2 (heating) or 17 (drinking water).
    int getBlatt() const { return m_blatt; }
    RnArmaturContainer& getVDIArmaturContainer() { return *this; }

    // --- hydraulic formulas (see formeln.h) -------------------------------
    static double _kvWert(double V, double dp, double rho) {
        return nrvFormeln::_kvWert(V, dp, rho);
    }
    static double _dpWert(double V, double kv, double rho) {
        return nrvFormeln::_dpWert(V, kv, rho);
    }
    static double _kvSerie(double kv1, double kv2) { return nrvFormeln::_kvSerie(kv1, kv2); }
    static double _pwr2(double x) { return nrvFormeln::_pwr2(x); }
    static double Pa_mbar(double p) { return nrvFormeln::Pa_mbar(p); }
    static double mbar_Pa(double p) { return nrvFormeln::mbar_Pa(p); }

    // --- lists -------------------------------------------------------------
    const RecordList& armaturen(bool local) const { return local ? m_lokal : m_global; }
    int getCountGlobal() const { return static_cast<int>(m_global.size()); }
    int getCountLocal() const { return static_cast<int>(m_lokal.size()); }
    int getCountTotal() const { return getCountGlobal() + getCountLocal(); }
    // Throw std::invalid_argument for an index outside the list.
    VDIArmaturenModell* getAtGlobal(int index) const;
    VDIArmaturenModell* getAtLocal(int index) const;
    // Global records first, then local ones; null outside both.
    VDIArmaturenModell* getAtTotal(int index) const;

    // Stores a copy in the list of the record's global flag. A model id of 0
    // is numbered last used id + 1 (also in the caller's record); a larger id
    // raises the last used id. Returns the index in its list.
    int append(VDIArmaturenModell& record);
    // The same, adopting the record instead of copying it.
    int append(std::unique_ptr<VDIArmaturenModell> record);
    // Overwrites the first record of the record's list with the same model id.
    // False when there is none; otherwise whether the stored copy equals the
    // record for `klasse` (a copied model leaves out valves whose class does
    // not fit their type).
    bool SetAt(const VDIArmaturenModell& record, std::string_view klasse);
    // Removes the first record of the record's list that is the same
    // assignment (isEqualTo with the identity short cut); false when none.
    bool RemoveAt(const VDIArmaturenModell& record, std::string_view klasse);
    // Removes by index; an index outside the list is ignored.
    void RemoveAt(bool local, int index);

    // Exchange with the valve selection dialog. The get forms fill `out` with
    // borrowed pointers. The set forms replace the list: the container takes
    // ownership of the given records and deletes the ones it held before,
    // except those that are handed back (so a dialog that wraps borrowed
    // pointers does not cause a double delete). The take forms move the list
    // out, leaving it empty. The last used model id is not changed.
    void getGlobaleArmaturen(RecordView& out) const;
    void getLokaleArmaturen(RecordView& out) const;
    void setGlobaleArmaturen(RecordList records);
    void setLokaleArmaturen(RecordList records);
    RecordList takeGlobaleArmaturen();
    RecordList takeLokaleArmaturen();

    int getLastUsedModellID() const { return m_lastUsedId; }
    void setLastUsedModellID(int id) { m_lastUsedId = id; }

    // --- lookups ------------------------------------------------------------
    // The record of the reference's model id, global list first, each list
    // searched from its end; the empty record when there is none.
    const VDIArmaturenModell& getArmaturenModell(const ARMATUR& arm) const;
    const VDIArmaturenModell& getArmaturenModell(const ARMATUR& arm, bool local) const;
    // The record of the list whose model holds the valve.
    const VDIArmaturenModell& getArmaturenModell(const Armatur* valve, bool local) const;
    const VDIArmaturenModell& getArmModFromID(int id, bool local) const;
    const VDIArmaturenModell& getVDIArmModFromID(int id, bool local) const {
        return getArmModFromID(id, local);
    }
    // The valve of the reference's model nearest to its DN and kv (kv -1: by
    // DN alone); null when the model has no valves. The int form lets the
    // usual call getArmatur(arm, -1) mean a kv.
    Armatur* getArmatur(const ARMATUR& arm, double kv) const;
    Armatur* getArmatur(const ARMATUR& arm, int kv) const { return getArmatur(arm, double(kv)); }
    Armatur* getArmatur(const ARMATUR& arm, bool local) const;
    // Among the records of the type, the first valve of at least `dn`; null
    // when no record has one (a smaller valve is never taken).
    Armatur* getArmaturFromTypAndDN(enArmaturenTyp typ, int dn, bool local) const;
    void getNennweitenFromArmatur(const ARMATUR& arm, std::vector<int>& dns) const;
    static void getNennweitenFromArmatur(const VDIArmaturenModell& record, std::vector<int>& dns);
    // One entry per valve ("%d" of the DN, item data the DN); the first DN of
    // at least the reference's DN is selected.
    void fillNennweiteCombo(nrvComboBox& combo, const ARMATUR& arm) const;
    std::string getArtikelNr(const ARMATUR& arm) const;
    std::string getAusfuehrung(const ARMATUR& arm) const;
    std::string getManufacturer(const ARMATUR& arm) const;
    std::string getModelType(const ARMATUR& arm) const;

    int getCountOf(enArmaturenTyp typ, bool local) const;
    // For kind 5556 with a name only records of that designation (ignoring
    // case) count.
    int getCountOf(std::string_view name, enArmaturenTyp typ, bool local) const;
    bool bHasGlobalArmaturenmodell(enArmaturenTyp typ, std::string_view klasse) const;
    // A global thermostatic-valve record for the class whose model's first
    // valve is of the run-time class `cls`.
    bool bHasGlobalTHKVType(const CRuntimeClass* cls, std::string_view klasse) const;
    static int findParentModellId(const RecordList& list, const Armatur* valve);
    static int findParentModellId(const RecordView& list, const Armatur* valve);

    // --- values and finders -------------------------------------------------
    // kv at the reference's setting (the kvs for a valve computed with it).
    bool getKvIst(const ARMATUR& arm, double& kv) const;
    static bool getKvIst(const Armatur* valve, int einstellung, double& kv);
    static bool isInKvRange(const Armatur* valve, double kv);

    // A global valve of the type by DN alone (the name is not consulted).
    bool findGlobalFestwiderstand(std::string_view name, enArmaturenTyp typ, ARMATUR& arm,
                                  std::string_view klasse) const;
    // A global valve and setting for the required kv: keeps the reference's
    // valve when it can reach kv (unless `alwaysBest`), else the best one.
    bool findGlobalVariablenWiderstand(double kv, enArmaturenTyp typ, ARMATUR& arm, bool alwaysBest,
                                       bool lowerKv, std::string_view klasse) const;
    bool _BestArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                  std::string_view klasse) const;
    bool _KeepArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                  std::string_view klasse) const;
    // Thins candidates out by DN: all when `dn` is at least the largest DN,
    // those up to `dn` when it lies between, those of the smallest DN when
    // it is below.
    static void sortOut(int minDN, int maxDN, int dn, std::vector<Armatur*>& candidates);
    // A global thermostatic valve body whose kvmax lies between kv and the
    // preferred kvmax, as close to the latter as possible.
    bool findGlobalVariablesTHKV(double kv, double kvmaxPreferred, bool lowerKv, ARMATUR& arm,
                                 std::string_view klasse) const;

    // A record of the same type and assignment in the record's list.
    bool hasEqualTypes(const VDIArmaturenModell& record, std::string_view klasse,
                       bool sameIdentity) const;
    // As hasEqualTypes, and the found record's model id goes into `record`.
    bool findEqualType(VDIArmaturenModell& record, std::string_view klasse,
                       bool sameIdentity) const;

    // --- settings -------------------------------------------------------------
    // Index of the setting point for the required kv; -1 when none fits.
    static int findEinstellung(const Armatur* valve, double kv, bool lowerKv);
    bool findArmaturenEinstellung(double kv, enArmaturenTyp typ, bool lowerKv, ARMATUR& arm) const;
    static bool findArmaturenEinstellung(double kv, enArmaturenTyp typ, bool lowerKv,
                                         const Armatur* valve, int& index);
    // The printed setting of a point ("3", "2.5 Umdr.", "Werkseinst.", "?"),
    // with `withXp` followed by the proportional band of radiator valves.
    static std::string getEinstellung(const Armatur* valve, int index, bool withXp);
    // The same for the reference; `markKvs` appends "*" for a valve computed
    // with its kvs.
    std::string getEinstellung(const ARMATUR& arm, bool withXp, bool markKvs) const;

    // --- project ----------------------------------------------------------
    // "[NAME]\r\nHeader:" + body + "\r\n[ENDE_NAME]". The body's first line
    // (the record line) is the value of the leaf "Header" and is encoded as a
    // tree-store value, so that ':' and '%' in a designation survive.
    static std::string wrapSection(std::string_view name, std::string_view body);
    // The body of a section "Armature", "HzTHKV" or "HzRLV" (with either line
    // end, indentation allowed), its record line decoded; any other text, or a
    // section without end marker or "Header:", comes back unchanged.
    static std::string unwrapSection(std::string_view text);
    // Node "GlobalArmatures" with one child "Armature" per global record and
    // the attribute "LastArmaturesId"; null without global records. The
    // caller owns the node. Local records are stored by the host per component.
    std::unique_ptr<CProNodeBase> writeArmaturesToProNode(std::string_view key) const;
    // The same node as a plain tree (the counterpart of readArmaturesFromNode).
    std::unique_ptr<CNode> writeArmaturesToNode(std::string_view key) const;
    // Replaces the records by those of the node's "Armature" children that
    // read for `key`; the last used model id becomes the largest read id.
    // False only for a null node (the container is empty then).
    bool readArmaturesFromProNode(const CProNodeBase* node, std::string_view key);
    bool readArmaturesFromNode(const CNode* node, std::string_view key);

protected:
    explicit RnArmaturContainer(int blatt);

private:
    RecordList& list(bool local) { return local ? m_lokal : m_global; }
    static void replaceList(RecordList& target, RecordList records);
    static const VDIArmaturenModell* findById(const RecordList& list, int id);
    // Candidates of _BestArm step 1 and 2 (and of the thermostatic finder).
    std::vector<Armatur*> bestCandidates(enArmaturenTyp typ, int dn, std::string_view klasse,
                                         bool thkvOnly) const;
    bool writeResult(Armatur* valve, int einstellung, ARMATUR& arm) const;

    VDIArmaturenModell m_empty;
    int m_blatt = 0;
    int m_lastUsedId = 0;
    RecordList m_global;
    RecordList m_lokal;
};

}  // namespace nrvBaseArmaturen
