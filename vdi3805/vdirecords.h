#pragma once
// The record classes of a VDI 3805 catalogue, one per record type, named
// "VDIStruct_" + the type with '_' for the point, and the registry that makes
// them by that name.
//
// Which record may hang below which follows the product structure of the
// catalogue; a record type the reader has no class for becomes VDIStruct_Err
// (an "unreadable line"), which most records accept so that a damaged line
// stays where it was found. Kind tests follow the class tree: a record that
// accepts VDIStruct_100 also accepts VDIStruct_110, one that accepts
// VDIStruct_VZ_01 also accepts 710.51 and 710.71.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/platform/runtimeclass.h"
#include "kavex/vdi3805/vdibase.h"

// A record class that only decides its children.
#define KAVEX_VDI_RECORD(cls, base)                              \
    class KAVEX_API cls : public base {                          \
        KAVEX_DECLARE_DYNCREATE(cls)                             \
    public:                                                      \
        bool CanHoldChild(const CVDIBase* child) const override; \
    };

// A record class that also maps fields of the old layout.
#define KAVEX_VDI_RECORD_MAPPED(cls, base)                       \
    class KAVEX_API cls : public base {                          \
        KAVEX_DECLARE_DYNCREATE(cls)                             \
    public:                                                      \
        bool CanHoldChild(const CVDIBase* child) const override; \
        int MapFieldNo(int fieldNo) const override;              \
    };

// File header: manufacturer, sheet, guideline date.
KAVEX_VDI_RECORD_MAPPED(VDIStruct_010, CVDIBase)
// Product main group I; 110 (main group II, a model series) derives from it.
KAVEX_VDI_RECORD_MAPPED(VDIStruct_100, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_110, VDIStruct_100)

// Property records: the common base, the x00 groups, their x50 and x60
// sub-groups, and the x.01 entries (which name an accessory article).
KAVEX_VDI_RECORD(VDIStruct_VZ, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_160, VDIStruct_VZ)
KAVEX_VDI_RECORD(VDIStruct_VZ_00, VDIStruct_VZ)
KAVEX_VDI_RECORD(VDIStruct_VZ_50, VDIStruct_VZ)
KAVEX_VDI_RECORD(VDIStruct_VZ_60, VDIStruct_VZ)
// An x.01 entry names an accessory article (record 900, index in field 3);
// the article is looked up once, on first use.
class KAVEX_API VDIStruct_VZ_01 : public CVDIBase {
    KAVEX_DECLARE_DYNCREATE(VDIStruct_VZ_01)
public:
    bool CanHoldChild(const CVDIBase* child) const override;
    // The article record 900 of the document, null when there is none.
    CVDIBase* GetArticle();
    // The article belongs to the execution for good (kind field "f") rather
    // than being one to choose.
    bool IsFixed();

private:
    void Resolve();
    std::once_flag m_resolveOnce;
    CVDIBase* m_article = nullptr;
    bool m_fixed = false;
};

KAVEX_VDI_RECORD(VDIStruct_600, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_610, CVDIBase)

// Technical data of an execution variant and its curve records.
KAVEX_VDI_RECORD_MAPPED(VDIStruct_700, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_01, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_02, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_03, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_04, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_05, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_06, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_07, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_08, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_09, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_10, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_11, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_12, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_13, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_14, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_710_51, VDIStruct_VZ_01)
KAVEX_VDI_RECORD(VDIStruct_710_71, VDIStruct_VZ_01)
// A combination record: slot 0 names the text record 970 (field 3), slots 1
// to 14 the property records 160, 200, 250, ... 560, 760 (fields 4 to 17) of
// the model series. Looked up once, on first use.
class KAVEX_API VDIStruct_720 : public CVDIBase {
    KAVEX_DECLARE_DYNCREATE(VDIStruct_720)
public:
    static constexpr int kSlots = 15;
    bool CanHoldChild(const CVDIBase* child) const override;
    // The record of `slot` (0 … kSlots-1), null when the field is 0 or names
    // no record; another slot throws std::invalid_argument.
    CVDIBase* GetReference(int slot);

private:
    void Resolve();
    std::once_flag m_resolveOnce;
    CVDIBase* m_slots[kSlots] = {};
};
KAVEX_VDI_RECORD(VDIStruct_720_01, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_720_02, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_720_03, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_720_04, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_730, CVDIBase)

// Executions (orderable articles) and their sub-records.
// An execution: one orderable article. Its TGA number (field 3) is a row of
// fixed-width indexes that names the property records and the technical data
// the article is built from; they are looked up once, on first use.
class KAVEX_API VDIStruct_800 : public CVDIBase {
    KAVEX_DECLARE_DYNCREATE(VDIStruct_800)
public:
    bool CanHoldChild(const CVDIBase* child) const override;
    int MapFieldNo(int fieldNo) const override;

    // Looks up the records the TGA number names (once; safe from several
    // threads). False when the number is too short for the file's layout.
    bool ResolveTgaNumber();
    // Appends the referenced records of type `type` (160 or 16000 alike; 0
    // for all) in ascending order of type number.
    void GetReferences(int type, std::vector<CVDIBase*>& out);
    // True when the number's first two parts name the 100 and 110 records
    // the execution stands below; each contradiction is a hint.
    bool CheckTgaHeaderRefs() const;
    const std::string& GetTgaNumber();

private:
    void Resolve();
    std::once_flag m_resolveOnce;
    bool m_tgaValid = false;
    std::string m_tgaNumber;
    std::vector<CVDIBase*> m_references;  // records of this document, by type number
};
KAVEX_VDI_RECORD_MAPPED(VDIStruct_810, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_820, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_830, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_850, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_860, CVDIBase)

// Accessory articles, accessory trees and text records below the header.
KAVEX_VDI_RECORD_MAPPED(VDIStruct_900, CVDIBase)
KAVEX_VDI_RECORD_MAPPED(VDIStruct_920, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_930, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_930_01, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_930_02, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_930_03, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_930_04, CVDIBase)
// Known but deliberately not registered: 940 lines read as unreadable.
KAVEX_VDI_RECORD(VDIStruct_940, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_960, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_970, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_970_01, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_970_02, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_970_03, CVDIBase)
KAVEX_VDI_RECORD(VDIStruct_970_04, CVDIBase)

// A line whose record type has no class.
KAVEX_VDI_RECORD(VDIStruct_Err, CVDIBase)

#undef KAVEX_VDI_RECORD
#undef KAVEX_VDI_RECORD_MAPPED

// The record classes by name: one prototype per class, filled once on first
// use (thread-safe), then read-only.
class KAVEX_API CVDIRecordRegistry {
public:
    static CVDIRecordRegistry& instance();

    // A new record of that class; null for a name without a registered class.
    std::unique_ptr<CVDIBase> Create(std::string_view className);
    // The registered class names, sorted.
    std::vector<std::string> ClassNames();

    // Bit of a registered class (0..63); -1 for any other class.
    int KindBit(const CRuntimeClass* cls) const;
    // The registered classes `parent` accepts as children, as bits.
    std::uint64_t AcceptedKinds(const CVDIBase& parent) const;

    // Class name for a record type as written in the file ("010", "710.01",
    // "250"): "VDIStruct_..." or "" when no name can be formed.
    static std::string ClassNameForType(std::string_view typeText);

private:
    CVDIRecordRegistry();

    CObjectFactory m_factory;
    std::vector<std::unique_ptr<CVDIBase>> m_prototypes;  // index = kind bit
    std::unordered_map<const CRuntimeClass*, int> m_bits;
    std::unordered_map<const CRuntimeClass*, std::uint64_t> m_accepted;
};
