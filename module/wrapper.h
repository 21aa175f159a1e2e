#pragma once
// The wrapper: the one object through which the host reaches the module's
// dialogs and background loading, and hands over its feature switches and
// unit settings. The host gets it with getKavexInstance() and calls its
// virtual entry points through the reference; their order in the class is
// the slot order the host relies on, so new entry points go at the end.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/module/dialogentry.h"
#include "kavex/platform/export.h"

class CObject;
class CUserData;
class CUserDoc;
class CVDIData;
class nrvUnitSetting;
namespace nrvModule {
class CSiblingLoader;
}

// Feature switches, a 32-bit bit set.
using FeatureFlags = std::uint32_t;
// The check button "Prüfung ..." of the valve catalogue dialog.
inline constexpr FeatureFlags kFeatureCheckButton = 1;
// VDI 3805 files of the 08.1996 edition ("*.TGA") in the import and in the
// background loading of sheet 2.
inline constexpr FeatureFlags kFeatureOldTgaFiles = 2;
// The further control of the valve catalogue dialog.
inline constexpr FeatureFlags kFeatureExtraControl = 4;
// The conversion check box of the catalogue assignment dialog; while off, the
// valve catalogue dialog converts sheet-17 catalogues when it loads them.
inline constexpr FeatureFlags kFeatureConversionBox = 8;

// The host's unit settings for the quantities the dialogs show, by position.
// The module does not own them; a null entry means "not given".
struct KAVEX_API unitSettingsContainer {
    enum Position : int {
        Volumenstrom = 0,    // flow
        KvWert = 1,          // kv value
        Druckverlust = 2,    // pressure loss
        Differenzdruck = 3,  // set differential pressure of regulators
        Druck = 4,           // static pressure (pressure reducers, admissible pressures)
        Temperatur = 5,
        Dichte = 6,
        Massenstrom = 7,
        Laenge = 8,        // dimensions
        Foerderhoehe = 9,  // pump head
        Count = 10
    };
    std::array<nrvUnitSetting*, Count> settings{};

    // A position outside 0..9 throws std::invalid_argument.
    nrvUnitSetting*& operator[](int position);
    nrvUnitSetting* operator[](int position) const;
};

class KAVEX_API KavexWrapper {
public:
    // The module's wrapper uses the module's sibling loader, user valve list
    // and catalogue list.
    KavexWrapper();
    // A wrapper over a loader and lists of the caller's (for tests and tools);
    // without a catalogue list it works with the module's.
    KavexWrapper(nrvModule::CSiblingLoader& siblings, CUserData& userValves);
    KavexWrapper(nrvModule::CSiblingLoader& siblings, CUserData& userValves, CVDIData& catalogues);
    KavexWrapper(const KavexWrapper&) = delete;
    KavexWrapper& operator=(const KavexWrapper&) = delete;

    // --- entry points, in slot order --------------------------------------------
    virtual int showCatalogueDialog(void* parent, const std::vector<int>& allowedTypes, int& value,
                                    nrvVDIArmaturen::nrvVDIArmaturenModell& model,
                                    nrvUserArmaturen::nrvUserArmaturenModell& userModel, int flag,
                                    int sheet, std::int64_t hostValue,
                                    const std::string& userValveDirectory, int mode);
    virtual int showValveInfoDialog(void* parent,
                                    const nrvVDIArmaturen::nrvVDIArmaturenModell& model,
                                    bauteilInfo* component);
    virtual int showCatalogueDataViewer(void* parent);
    // Switches feature 2 on (it stays on) before the dialog opens.
    virtual bool chooseValveForComponent(void* parent, nrvBaseArmaturen::enArmaturenTyp kind,
                                         bauteilInfo& component,
                                         nrvBaseArmaturen::RnArmaturContainer& catalogueValves,
                                         nrvUserArmaturen::RnUserArmaturContainer& userValves);
    // Loads the "*.userarm" files of the folder into the user valve list on
    // parallel jobs and sorts it; the number of loaded documents, or -1 when
    // the list was still busy after 200 polls.
    virtual int loadUserValveFiles(const std::string& directory);
    virtual const std::vector<std::unique_ptr<CUserDoc>>& getUserValveList();
    // Loads the catalogues still waiting in the catalogue list now, on
    // parallel jobs and the calling thread; the number of loaded catalogues,
    // or -1 when the list stayed busy (a release) for 200 polls.
    virtual int finishCatalogueLoading();
    // Loads the user valve documents not loaded yet; the number of loaded
    // documents, or -1 when the list stayed busy.
    virtual int finishUserValveLoading();
    // A new object of the named valve-domain class (owned by the caller), or
    // null for an unknown name.
    virtual std::unique_ptr<CObject> createObjectByClassName(std::string_view className);
    virtual bool importCatalogueFiles(void* parent, int sheet);
    virtual int showPumpSelection(void* parent, int flagA, int flagB, const nrvPumpe* current,
                                  const Netzpunkt& point, const Netzpunkt& secondPoint,
                                  nrvPumpe*& chosen, int flagC);
    virtual int showCatalogueDataTest(void* parent);
    // After the entry points, so that it does not shift their slots.
    virtual ~KavexWrapper();

    // --- feature switches --------------------------------------------------------
    // The switches become (switches | on) & ~off: a bit in both ends up off.
    void enableFeatures(FeatureFlags on, FeatureFlags off);
    // True when any bit of `flag` is on.
    bool isFeatureEnabled(FeatureFlags flag) const;
    FeatureFlags getFeatures() const { return m_features.load(); }

    // --- unit settings -----------------------------------------------------------
    // Takes over every non-null entry; null entries keep the stored setting.
    // (The host's view: it gets its settings into the module.)
    void getUnitSetting(unitSettingsContainer settings);
    // Copies all ten stored settings out, null ones included.
    void getUnitSettingContainer(unitSettingsContainer& settings) const;
    nrvUnitSetting* getUnitSettingAt(int position) const { return m_unitSettings[position]; }

    // --- last catalogue selection -------------------------------------------------
    // Manufacturer and series chosen last in the catalogue dialog, offered
    // as preselection the next time.
    const std::string& getLastSelection() const { return m_lastSelection; }
    void setLastSelection(std::string text) { m_lastSelection = std::move(text); }

    nrvModule::CSiblingLoader& siblings() { return m_siblings; }
    CVDIData& catalogueList() { return m_catalogues; }

private:
    std::string m_lastSelection;
    std::atomic<FeatureFlags> m_features{0};

public:
    // Set by the host only: above 0 the valve selection dialog runs in its
    // reduced form.
    std::int32_t m_nSelectionDialogVariant = 0;

private:
    unitSettingsContainer m_unitSettings;
    nrvModule::CSiblingLoader& m_siblings;
    CUserData& m_userValves;
    CVDIData& m_catalogues;
};

// The module's wrapper, created on the first call (which also starts the
// module when the host has not done so) and kept until the process ends.
KAVEX_API KavexWrapper& getKavexInstance();
