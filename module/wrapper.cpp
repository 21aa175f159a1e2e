#include "kavex/module/wrapper.h"

#include <stdexcept>

#include "kavex/module/kavexmodule.h"
#include "kavex/module/siblings.h"
#include "kavex/platform/runtimeclass.h"
#include "kavex/uservalves/userdoc.h"
#include "kavex/vdi3805/vdidata.h"

namespace {

// The dialogs library's function, or the substitute answering 0.
template <class F>
F dialogEntry(nrvModule::CSiblingLoader& siblings, const nrvModule::SiblingFunction& fn) {
    return siblings.resolve<F>(nrvDialogEntry::kLibraryFile, fn);
}

int checkedPosition(int position) {
    if (position < 0 || position >= unitSettingsContainer::Count)
        throw std::invalid_argument("unit setting position out of range");
    return position;
}

}  // namespace

nrvUnitSetting*& unitSettingsContainer::operator[](int position) {
    return settings[checkedPosition(position)];
}

nrvUnitSetting* unitSettingsContainer::operator[](int position) const {
    return settings[checkedPosition(position)];
}

// ===========================================================================

KavexWrapper::KavexWrapper()
    : KavexWrapper(theKavexApp().siblings(), CUserData::instance(), CVDIData::instance()) {}

KavexWrapper::KavexWrapper(nrvModule::CSiblingLoader& siblings, CUserData& userValves)
    : KavexWrapper(siblings, userValves, CVDIData::instance()) {}

KavexWrapper::KavexWrapper(nrvModule::CSiblingLoader& siblings, CUserData& userValves,
                           CVDIData& catalogues)
    : m_siblings(siblings), m_userValves(userValves), m_catalogues(catalogues) {}

KavexWrapper::~KavexWrapper() = default;

// --- entry points -----------------------------------------------------------

int KavexWrapper::showCatalogueDialog(void* parent, const std::vector<int>& allowedTypes,
                                      int& value, nrvVDIArmaturen::nrvVDIArmaturenModell& model,
                                      nrvUserArmaturen::nrvUserArmaturenModell& userModel, int flag,
                                      int sheet, std::int64_t hostValue,
                                      const std::string& userValveDirectory, int mode) {
    auto fn =
        dialogEntry<kavexShowCatalogueDialogFn>(m_siblings, nrvDialogEntry::kShowCatalogueDialog);
    return fn(*this, parent, allowedTypes, value, model, userModel, flag, sheet, hostValue,
              userValveDirectory, mode);
}

int KavexWrapper::showValveInfoDialog(void* parent,
                                      const nrvVDIArmaturen::nrvVDIArmaturenModell& model,
                                      bauteilInfo* component) {
    auto fn =
        dialogEntry<kavexShowValveInfoDialogFn>(m_siblings, nrvDialogEntry::kShowValveInfoDialog);
    return fn(*this, parent, model, component);
}

int KavexWrapper::showCatalogueDataViewer(void* parent) {
    auto fn = dialogEntry<kavexShowCatalogueDataViewerFn>(m_siblings,
                                                          nrvDialogEntry::kShowCatalogueDataViewer);
    return fn(*this, parent);
}

bool KavexWrapper::chooseValveForComponent(void* parent, nrvBaseArmaturen::enArmaturenTyp kind,
                                           bauteilInfo& component,
                                           nrvBaseArmaturen::RnArmaturContainer& catalogueValves,
                                           nrvUserArmaturen::RnUserArmaturContainer& userValves) {
    // Choosing for a component offers the old catalogue editions as well.
    enableFeatures(kFeatureOldTgaFiles, 0);
    auto fn = dialogEntry<kavexChooseValveForComponentFn>(m_siblings,
                                                          nrvDialogEntry::kChooseValveForComponent);
    return fn(*this, parent, kind, component, catalogueValves, userValves);
}

int KavexWrapper::loadUserValveFiles(const std::string& directory) {
    return m_userValves.loadAll(directory);
}

const std::vector<std::unique_ptr<CUserDoc>>& KavexWrapper::getUserValveList() {
    return m_userValves.getDocuments();
}

int KavexWrapper::finishCatalogueLoading() {
    return m_catalogues.FinishLoading();
}

int KavexWrapper::finishUserValveLoading() {
    return m_userValves.finishLoading();
}

std::unique_ptr<CObject> KavexWrapper::createObjectByClassName(std::string_view className) {
    return theKavexApp().classFactory().Create(className);
}

bool KavexWrapper::importCatalogueFiles(void* parent, int sheet) {
    auto fn =
        dialogEntry<kavexImportCatalogueFilesFn>(m_siblings, nrvDialogEntry::kImportCatalogueFiles);
    return fn(*this, parent, sheet);
}

int KavexWrapper::showPumpSelection(void* parent, int flagA, int flagB, const nrvPumpe* current,
                                    const Netzpunkt& point, const Netzpunkt& secondPoint,
                                    nrvPumpe*& chosen, int flagC) {
    auto fn = dialogEntry<kavexShowPumpSelectionFn>(m_siblings, nrvDialogEntry::kShowPumpSelection);
    return fn(*this, parent, flagA, flagB, current, point, secondPoint, chosen, flagC);
}

int KavexWrapper::showCatalogueDataTest(void* parent) {
    auto fn = dialogEntry<kavexShowCatalogueDataTestFn>(m_siblings,
                                                        nrvDialogEntry::kShowCatalogueDataTest);
    return fn(*this, parent);
}

// --- feature switches ---------------------------------------------------------

void KavexWrapper::enableFeatures(FeatureFlags on, FeatureFlags off) {
    FeatureFlags current = m_features.load();
    while (!m_features.compare_exchange_weak(current, (current | on) & ~off)) {
    }
}

bool KavexWrapper::isFeatureEnabled(FeatureFlags flag) const {
    return (m_features.load() & flag) != 0;
}

// --- unit settings --------------------------------------------------------------

void KavexWrapper::getUnitSetting(unitSettingsContainer settings) {
    for (int i = 0; i < unitSettingsContainer::Count; ++i)
        if (settings[i] != nullptr) m_unitSettings[i] = settings[i];
}

void KavexWrapper::getUnitSettingContainer(unitSettingsContainer& settings) const {
    settings = m_unitSettings;
}

// ===========================================================================

KavexWrapper& getKavexInstance() {
    kavexInit();
    static KavexWrapper wrapper;
    return wrapper;
}
