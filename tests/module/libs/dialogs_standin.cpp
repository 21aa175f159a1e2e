// Stands in for libkavex_dialogs in the wrapper tests: implements a few of
// the dialog entry points (and leaves the others out on purpose) and answers
// from its arguments, so the tests see what the wrapper handed over. It links
// nothing of kavex; the wrapper reaches it only through the loader.

#include <type_traits>

#include "kavex/module/dialogentry.h"

KAVEX_DIALOG_ENTRY int kavexDialogs_showCatalogueDialog(
    KavexWrapper&, void* parent, const std::vector<int>& allowedTypes, int& value,
    nrvVDIArmaturen::nrvVDIArmaturenModell&, nrvUserArmaturen::nrvUserArmaturenModell&, int flag,
    int sheet, std::int64_t hostValue, const std::string& userValveDirectory, int mode) {
    value = sheet * 1000 + mode * 100 + flag * 10 + static_cast<int>(allowedTypes.size());
    const bool handedOver = hostValue == 0x123456789LL && userValveDirectory == "uservalves";
    return parent != nullptr && handedOver ? 1 : 2;
}

KAVEX_DIALOG_ENTRY int kavexDialogs_showCatalogueDataViewer(KavexWrapper&, void* parent) {
    return parent != nullptr ? 1 : 2;
}

KAVEX_DIALOG_ENTRY bool kavexDialogs_importCatalogueFiles(KavexWrapper&, void*, int sheet) {
    return sheet == 2 || sheet == 17;
}

// The wrapper calls them through these types.
static_assert(
    std::is_same_v<decltype(&kavexDialogs_showCatalogueDialog), kavexShowCatalogueDialogFn>);
static_assert(std::is_same_v<decltype(&kavexDialogs_showCatalogueDataViewer),
                             kavexShowCatalogueDataViewerFn>);
static_assert(
    std::is_same_v<decltype(&kavexDialogs_importCatalogueFiles), kavexImportCatalogueFilesFn>);
