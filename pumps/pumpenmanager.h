#pragma once
// The pump catalogue: manufacturers with their series, pumps and curves, read
// from the manufacturers' pump files ("*.PMP") that the catalogue libraries
// list, and written back. A process-wide singleton that the host creates
// with instance() and removes with removeInstance(); it is used from the
// host's user-interface thread and takes no lock.
//
// Pump file layout, units and choices: docs/pumps.md.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/pumps/pumpenhersteller.h"

class CNode;
class nrvUnitSetting;

// The host's unit settings for the pump dialogs: flow first, head second.
// Not owned; a null pointer leaves the manager's reference as it is.
struct KAVEX_API unitSettingsContainerPumpen {
    nrvUnitSetting* pVolumenstrom = nullptr;
    nrvUnitSetting* pFoerderhoehe = nullptr;
};

class KAVEX_API nrvPumpenManager {
public:
    using HerstellerListe = std::vector<std::unique_ptr<nrvPumpenHersteller>>;

    // The catalogue, created empty on first call.
    static nrvPumpenManager& instance();
    // Destroys the catalogue; the next instance() starts empty.
    static void removeInstance();

    nrvPumpenManager() = default;
    nrvPumpenManager(const nrvPumpenManager&) = delete;
    nrvPumpenManager& operator=(const nrvPumpenManager&) = delete;

    const HerstellerListe& getHersteller() const { return m_hersteller; }
    void removeAll() { m_hersteller.clear(); }
    // The manufacturer named exactly `name` (case-sensitive); null when none.
    nrvPumpenHersteller* contains(std::string_view name) const;
    // The first pump of the first series of the first manufacturer when it
    // has curves; else null.
    nrvPumpe* hasPumpe() const;

    // --- pump files (pumpendatei.cpp) -----------------------------------------
    // Replaces the catalogue by the pump files that the catalogue libraries
    // list under the content key `kind` ("PUMPEN"). Libraries without such
    // an entry and files that fail are skipped.
    void readAllPumpData(std::string_view kind);
    // Reads the pump file at `path`, or `contents` when the path is empty,
    // and merges it into the catalogue: the manufacturer and series of the
    // same name are taken, pumps are appended. Null (nothing changed) when
    // the input is no pump file.
    nrvPumpenHersteller* read(const std::string& path, std::string_view contents = {});
    // asText: the pump file text of the first manufacturer (empty without
    // one); otherwise a save dialog for every manufacturer in turn, and
    // empty text.
    std::string write(bool asText);
    // asText: the pump file text of `hersteller`; otherwise the save dialog
    // ("*.PMP", starting at the file it was read from) and the file written
    // when the user confirms; empty text then.
    std::string writeToFile(const nrvPumpenHersteller* hersteller, bool asText);
    // Writes the pump file of `hersteller` to `path` (atomically); false when
    // that fails, the old file then stays.
    static bool writeToPath(const nrvPumpenHersteller& hersteller, const std::string& path);
    // The tree of the pump file of `hersteller`.
    static std::unique_ptr<CNode> buildPumpenBaum(const nrvPumpenHersteller& hersteller);

    // Replaces the catalogue by a single pump (with its manufacturer and
    // series names); a null pump or one without curves leaves it empty. The
    // pump may be one of this catalogue.
    nrvPumpenManager& operator=(const nrvPumpe* pumpe);

    // One line per fault of the whole catalogue; true when there is none.
    bool checkAllPumpData(std::vector<std::string>& fehler) const;
    // Brings the curves into the order their control roles rely on: the
    // higher curve of a maximum/minimum pair first, static curves from the
    // lowest up.
    static void macheKennlinieReihnfolgeRichtig(nrvPumpe* pumpe);

    // Takes over the non-null unit settings of the host.
    void getUnitSetting(unitSettingsContainerPumpen settings);
    const unitSettingsContainerPumpen& getUnitSettings() const { return m_units; }

private:
    HerstellerListe m_hersteller;
    unitSettingsContainerPumpen m_units;
};
