#pragma once
// The upper levels of the pump catalogue: a manufacturer (one pump file, or
// several files of the same name merged) owns its series, a series owns its
// pumps. Children are owned in std::unique_ptr lists; back references are
// plain pointers.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/pumps/pumpe.h"

class nrvPumpenHersteller;

class KAVEX_API nrvPumpenSerie {
public:
    using PumpenListe = std::vector<std::unique_ptr<nrvPumpe>>;

    explicit nrvPumpenSerie(nrvPumpenHersteller* parent = nullptr) : m_parent(parent) {}
    nrvPumpenSerie(const nrvPumpenSerie&) = delete;
    nrvPumpenSerie& operator=(const nrvPumpenSerie&) = delete;

    nrvPumpenHersteller* getParent() const { return m_parent; }
    const std::string& getName() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    enEinsatzBereich getEinsatzBereich() const { return m_einsatzBereich; }
    void setEinsatzBereich(enEinsatzBereich mask) { m_einsatzBereich = mask; }
    // True when every bit of `mask` is set in the series' mask.
    bool bIsForEinsatzbereich(enEinsatzBereich mask) const {
        return (m_einsatzBereich & mask) == mask;
    }

    const PumpenListe& getPumpen() const { return m_pumpen; }
    nrvPumpe* addPumpe();
    // Deletes the pumps and clears name and application areas.
    void removeAll();

private:
    nrvPumpenHersteller* m_parent = nullptr;  // not owning
    std::string m_name;
    enEinsatzBereich m_einsatzBereich = 0;
    PumpenListe m_pumpen;
};

class KAVEX_API nrvPumpenHersteller {
public:
    using SerienListe = std::vector<std::unique_ptr<nrvPumpenSerie>>;

    nrvPumpenHersteller() = default;
    nrvPumpenHersteller(const nrvPumpenHersteller&) = delete;
    nrvPumpenHersteller& operator=(const nrvPumpenHersteller&) = delete;

    const std::string& getName() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    // The manufacturer identifier ("MMD"); the catalogue loader fills it from
    // the library when the pump file leaves it empty.
    const std::string& getID() const { return m_id; }
    void setID(std::string id) { m_id = std::move(id); }
    // The pump file it was read from (empty when built in code).
    const std::string& getPfad() const { return m_pfad; }
    void setPfad(std::string pfad) { m_pfad = std::move(pfad); }

    const SerienListe& getSerien() const { return m_serien; }
    nrvPumpenSerie* addSerie();
    // The series named exactly `name` (case-sensitive); null when none.
    nrvPumpenSerie* contains(std::string_view name) const;
    void removeAll() { m_serien.clear(); }

private:
    std::string m_name;
    std::string m_id;
    std::string m_pfad;
    SerienListe m_serien;
};
