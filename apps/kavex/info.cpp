#include "info.h"

#include <algorithm>

#include "kavex/module/dialogentry.h"
#include "kavex/module/kavexmodule.h"
#include "kavex/module/siblings.h"
#include "kavex/module/wrapper.h"
#include "kavex/version.h"

namespace kavexcli {

namespace {

struct FeatureText {
    FeatureFlags flag;
    const char* text;
};

constexpr FeatureText kFeatures[] = {
    {kFeatureCheckButton, "check button \"Prüfung ...\" of the valve catalogue dialog"},
    {kFeatureOldTgaFiles, "VDI 3805 files of the 08.1996 edition (*.TGA)"},
    {kFeatureExtraControl, "further control of the valve catalogue dialog"},
    {kFeatureConversionBox, "conversion check box of the catalogue assignment dialog"},
};

void writeFeatures(std::ostream& out, const KavexWrapper& wrapper) {
    out << "features: " << wrapper.getFeatures() << "\n";
    for (const FeatureText& f : kFeatures) {
        out << "  [" << (wrapper.isFeatureEnabled(f.flag) ? 'x' : ' ') << "] " << f.flag << "  "
            << f.text << "\n";
    }
}

void writeSiblings(std::ostream& out, const nrvModule::CSiblingLoader& siblings) {
    std::vector<nrvModule::SiblingLibrary> libraries = siblings.libraries();
    const auto known = [&](const std::string& name) {
        return std::any_of(libraries.begin(), libraries.end(),
                           [&](const auto& lib) { return lib.fileName == name; });
    };
    if (!known(nrvDialogEntry::kLibraryFile))
        libraries.push_back({nrvDialogEntry::kLibraryFile, {}, false});
    out << "sibling libraries:\n";
    for (const nrvModule::SiblingLibrary& lib : libraries) {
        out << "  " << lib.fileName << ": ";
        if (lib.loaded) {
            out << "loaded from " << lib.path << "\n";
            continue;
        }
        const std::string found = siblings.locate(lib.fileName);
        out << (found.empty() ? std::string("not found") : "not loaded, found at " + found) << "\n";
    }
}

}  // namespace

void writeInfo(std::ostream& out, const KavexWrapper& wrapper,
               const std::vector<std::string>& classNames,
               const nrvModule::CSiblingLoader& siblings) {
    out << "kavex " << KAVEX_VERSION << "\n";
    out << "module: " << siblings.modulePath() << "\n";
    writeFeatures(out, wrapper);
    out << "classes: " << classNames.size() << "\n";
    for (const std::string& name : classNames)
        out << "  " << name << "\n";
    writeSiblings(out, siblings);
}

int runInfo(std::ostream& out, bool loadDialogs) {
    KavexWrapper& wrapper = getKavexInstance();
    CKavexDllApp& app = theKavexApp();
    if (loadDialogs) app.siblings().library(nrvDialogEntry::kLibraryFile);
    writeInfo(out, wrapper, app.classFactory().ClassNames(), app.siblings());
    return 0;
}

}  // namespace kavexcli
