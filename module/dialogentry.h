#pragma once
// The entry points of the dialogs library. libkavex never links Qt: the
// wrapper's dialog operations load "libkavex_dialogs.so" on first use and call
// these exported C functions, which the dialogs library implements with
// KAVEX_DIALOG_ENTRY:
//
//   KAVEX_DIALOG_ENTRY int kavexDialogs_showCatalogueDataViewer(KavexWrapper& wrapper,
//                                                              void* parent) { ... }
//
// Every function gets the wrapper first, so the dialogs read and write the
// one the host uses (last selection, feature switches, unit settings). A
// parent window is the host's window handle (a QWidget* in a Qt host); null
// means the active window of the calling thread. A missing library or
// function makes the call return 0 (see siblings.h).

#include <cstdint>
#include <string>
#include <vector>

#include "kavex/module/siblings.h"
#include "kavex/valves/armaturtyp.h"

class KavexWrapper;
// The host's component record: identifier of the assigned model, type code,
// nominal size, ... (defined with the curve entry dialogs).
struct bauteilInfo;
// The pump catalogue's pump and network point.
class nrvPumpe;
struct Netzpunkt;
namespace nrvVDIArmaturen {
class nrvVDIArmaturenModell;
}
namespace nrvUserArmaturen {
class nrvUserArmaturenModell;
class RnUserArmaturContainer;
}  // namespace nrvUserArmaturen
namespace nrvBaseArmaturen {
class RnArmaturContainer;
}

#define KAVEX_DIALOG_ENTRY extern "C" __attribute__((visibility("default")))

namespace nrvDialogEntry {

inline constexpr const char* kLibraryFile = "libkavex_dialogs.so";

// Numbers and symbols; the number is what the missing-function message shows.
inline constexpr nrvModule::SiblingFunction kShowCatalogueDialog{
    1, "kavexDialogs_showCatalogueDialog"};
inline constexpr nrvModule::SiblingFunction kShowValveInfoDialog{
    2, "kavexDialogs_showValveInfoDialog"};
inline constexpr nrvModule::SiblingFunction kShowCatalogueDataViewer{
    3, "kavexDialogs_showCatalogueDataViewer"};
inline constexpr nrvModule::SiblingFunction kChooseValveForComponent{
    4, "kavexDialogs_chooseValveForComponent"};
inline constexpr nrvModule::SiblingFunction kImportCatalogueFiles{
    5, "kavexDialogs_importCatalogueFiles"};
inline constexpr nrvModule::SiblingFunction kShowPumpSelection{6, "kavexDialogs_showPumpSelection"};
inline constexpr nrvModule::SiblingFunction kShowCatalogueDataTest{
    7, "kavexDialogs_showCatalogueDataTest"};

}  // namespace nrvDialogEntry

extern "C" {

// The valve catalogue dialog; the dialog result (1 OK, 2 cancel).
typedef int (*kavexShowCatalogueDialogFn)(KavexWrapper& wrapper, void* parent,
                                          const std::vector<int>& allowedTypes, int& value,
                                          nrvVDIArmaturen::nrvVDIArmaturenModell& model,
                                          nrvUserArmaturen::nrvUserArmaturenModell& userModel,
                                          int flag, int sheet, std::int64_t hostValue,
                                          const std::string& userValveDirectory, int mode);

// The valve information dialog on a copy of the model; the dialog result.
typedef int (*kavexShowValveInfoDialogFn)(KavexWrapper& wrapper, void* parent,
                                          const nrvVDIArmaturen::nrvVDIArmaturenModell& model,
                                          bauteilInfo* component);

// The catalogue data viewer, modal; the dialog result.
typedef int (*kavexShowCatalogueDataViewerFn)(KavexWrapper& wrapper, void* parent);

// A valve model for one component; true when the dialog ended with OK and
// an assignment resulted.
typedef bool (*kavexChooseValveForComponentFn)(
    KavexWrapper& wrapper, void* parent, nrvBaseArmaturen::enArmaturenTyp kind,
    bauteilInfo& component, nrvBaseArmaturen::RnArmaturContainer& catalogueValves,
    nrvUserArmaturen::RnUserArmaturContainer& userValves);

// The catalogue file import for a sheet; true on success.
typedef bool (*kavexImportCatalogueFilesFn)(KavexWrapper& wrapper, void* parent, int sheet);

// The pump selection; the dialog result, `chosen` set only on OK.
typedef int (*kavexShowPumpSelectionFn)(KavexWrapper& wrapper, void* parent, int flagA, int flagB,
                                        const nrvPumpe* current, const Netzpunkt& point,
                                        const Netzpunkt& secondPoint, nrvPumpe*& chosen, int flagC);

// The catalogue data test dialog, modal; the dialog result.
typedef int (*kavexShowCatalogueDataTestFn)(KavexWrapper& wrapper, void* parent);

}  // extern "C"
