#pragma once
// One record of a VDI 3805 manufacturer catalogue: a line of ';'-separated
// fields whose first field is the record type ("010", "710.01") and whose
// second is the record's index within its type. Records form a tree that
// follows the catalogue's product structure (file header 010 → product main
// group 100 → model series 110 → property, technical-data and execution
// records); the document (CVDIDoc) is the root.
//
// Fields are cut from the line on demand; only the type and the index are kept
// as numbers. In catalogues of the old 1996 layout (".tga") a field number of
// the current layout is first mapped to where that field sits in the old
// layout (MapFieldNo).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/export.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/runtimeclass.h"

class CVDIDoc;

class KAVEX_API CVDIBase : public CObject, public CReportSubject {
    KAVEX_DECLARE_DYNCREATE(CVDIBase)

public:
    using Children = std::vector<std::unique_ptr<CVDIBase>>;

    CVDIBase();
    // Deletes the whole subtree without recursion: a damaged catalogue can
    // chain tens of thousands of records below each other.
    ~CVDIBase() override;
    CVDIBase(const CVDIBase&) = delete;
    CVDIBase& operator=(const CVDIBase&) = delete;

    // --- overridable per record class -----------------------------------------
    // Field number of the current layout → field number in the old layout; -1
    // when the old layout has no such field. The base keeps the number.
    virtual int MapFieldNo(int fieldNo) const;
    // Builds the record tree below this record from catalogue lines (one
    // record per line). With `filter`, text records from 970.02 on are
    // skipped, and with `oldLayout` as well all 720 records. Empties `lines`.
    virtual bool ParseLines(std::vector<std::string>& lines, bool filter, bool oldLayout);
    // Appends the record's line and, depth first, those of all records below.
    virtual void DumpLines(std::vector<std::string>& out) const;
    // True when `child` may hang directly below this record. Decided by the
    // classes of both records alone (the reader relies on that).
    virtual bool CanHoldChild(const CVDIBase* child) const;

    // --- fields ---------------------------------------------------------------
    // Field n (from 1), trimmed; "" for n < 1, beyond the last field, or a
    // field the old layout does not have. `raw` skips the old-layout mapping.
    std::string GetField(int fieldNo, bool raw = false) const;
    // Field n as a number the way the C runtime reads it; "" reads as 0.
    int GetFieldInt(int fieldNo, bool raw = false) const;
    double GetFieldDouble(int fieldNo, bool raw = false) const;
    // Replaces field n of the line (appending empty fields first when the line
    // is shorter) and recomputes type and index.
    void SetField(int fieldNo, std::string_view text);
    // Stores the line and recomputes type and index from fields 1 and 2.
    void SetLine(std::string_view line);
    const std::string& GetLine() const { return m_line; }

    // Record type × 100, rounded (010 → 1000, 710.01 → 71001).
    int GetTypeNo() const { return m_typeNo; }
    // Field 2 as an integer: the record's number within its type.
    int GetIndex() const { return m_index; }

    // --- tree -----------------------------------------------------------------
    CVDIBase* GetParent() const { return m_parent; }
    const Children& GetChildren() const { return m_children; }
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    // Child i; i outside 0..GetChildCount()-1 throws std::invalid_argument.
    CVDIBase* GetChild(int i) const;
    // The document the record belongs to (the record itself for a document);
    // null for a record not attached to one.
    CVDIDoc* GetDocument() const { return m_doc; }

    // First record in pre-order (this record first) with the type number and,
    // unless `index` is -1, the index. `depth` 0 tests only this record, each
    // level down one less; a negative depth searches the whole subtree.
    CVDIBase* FindRecord(int typeNo, int index = -1, int depth = -1) const;
    // The same with the type as written in the file (710.01).
    CVDIBase* FindRecord(double type, int index = -1, int depth = -1) const;
    // Appends every record of that type in pre-order; the records below a
    // matching record are not searched.
    void CollectRecords(int typeNo, std::vector<CVDIBase*>& out, int depth = -1) const;

    // Type number of a type value: floor(value × 100 + 0.5), kept in the range
    // of a 32-bit integer (unreadable or absurd values give 0 or the bounds).
    static int TypeNoOf(double type);

    // --- reports about this record --------------------------------------------
    // The manufacturer's contact sentence built from record 010 of the document.
    std::string reportFooter() const override;
    // "[Satzart;Index;] -> 010;1; -> 100;1; -> ..." down to this record.
    std::string reportPath() const override;

protected:
    // Makes the record for a line of type `typeText` and hangs it below the
    // nearest record, from `current` upwards, that accepts it (or below
    // `current` when none does). Returns the new record.
    static CVDIBase* CreateRecord(CVDIBase* current, std::string_view typeText);
    // For the document: no parent, itself as document.
    void MakeRoot(CVDIDoc* doc);
    // Deletes every record below this one.
    void RemoveAllChildren();

private:
    CVDIBase* AttachChild(std::unique_ptr<CVDIBase> child);

    Children m_children;
    CVDIBase* m_parent = nullptr;  // not owning
    CVDIDoc* m_doc = nullptr;      // not owning
    std::string m_line;
    int m_typeNo = 0;
    int m_index = 0;
    // The record's class as a bit of the record registry (-1: not registered),
    // and the classes that this record or any record above it accepts as
    // children. A line that nobody above accepts is then hung below the
    // current record without walking up a possibly very long chain.
    int m_kindBit = -1;
    std::uint64_t m_acceptedAbove = 0;
};
