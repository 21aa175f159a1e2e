#pragma once
// A valve model is one product series of one manufacturer. Its catalogue form
// holds one valve per execution and nominal size, all of one catalogue valve
// type, and travels as a model file (".vmf"): the tree-store text of the model
// with one child node per valve, named after the valve's class.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/curves/armaturobject.h"
#include "kavex/platform/export.h"
#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturtyp.h"

class CNode;
class nrvComboBox;

namespace nrvBaseArmaturen {

class KAVEX_API nrvArmaturenModell : public nrvArmaturObject {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturenModell)

public:
    nrvArmaturenModell();
    nrvArmaturenModell(const nrvArmaturenModell& other);
    // Copies parent, version, model name and manufacturer.
    nrvArmaturenModell& operator=(const nrvArmaturenModell& other);
    ~nrvArmaturenModell() override;

    int getVersion() const { return m_version; }
    void setVersion(int version) { m_version = version; }
    const std::string& getModelType() const { return m_model; }
    void setModel(std::string model) { m_model = std::move(model); }
    const std::string& getManufacturer() const { return m_manufacturer; }
    void setManufacturer(std::string manufacturer) { m_manufacturer = std::move(manufacturer); }
    void setManufacturerModel(std::string manufacturer, std::string model);

    // Version 0, model name and manufacturer emptied.
    virtual void destroyAll();
    // The assignment of the object's own class; false (nothing changed) when
    // `other` is not of a class this one can copy.
    virtual bool assignFrom(const nrvArmaturenModell& other);

    // The model file (".vmf"), for catalogue and user models alike, through
    // the model's own read and write: false for an empty path, an unreadable
    // file or a root other than "Modell" (the model is emptied first in every
    // case). Saving writes a temporary file and renames it over `path`.
    bool loadVMFFile(const std::string& path);
    bool saveVMFFile(const std::string& path) const;
    // The name of a model file's root node.
    static constexpr const char* RootNodeName = "Modell";

private:
    int m_version = 0;
    std::string m_model;
    std::string m_manufacturer;
};

}  // namespace nrvBaseArmaturen

namespace nrvVDIArmaturen {

using nrvBaseArmaturen::en700ArmaturTyp;

class KAVEX_API nrvVDIArmaturenModell : public nrvBaseArmaturen::nrvArmaturenModell {
    KAVEX_DECLARE_DYNCREATE(nrvVDIArmaturenModell)

public:
    nrvVDIArmaturenModell();
    // Deep copies (see operator=).
    nrvVDIArmaturenModell(const nrvVDIArmaturenModell& other);
    // Empties this model, then copies every valve whose own type this model
    // can create (Add) with the assignment of its class; the others are left
    // out. Then file name, model name, manufacturer, type, catalogue id,
    // index and guideline date. The version and the parent are not copied.
    nrvVDIArmaturenModell& operator=(const nrvVDIArmaturenModell& other);
    ~nrvVDIArmaturenModell() override;

    using nrvArmaturObject::read;
    using nrvArmaturObject::write;

    // --- model data ---------------------------------------------------------
    const std::string& getFilename() const { return m_filename; }
    void setFilename(std::string name) { m_filename = std::move(name); }
    int getIdx() const { return m_idx; }
    void setIdx(int idx) { m_idx = idx; }
    const std::string& getNrvCatID() const { return m_catID; }
    void setCatID(std::string id) { m_catID = std::move(id); }
    int getRLDatum() const { return m_rlDatum; }
    void setRLDatum(int date) { m_rlDatum = date; }
    en700ArmaturTyp getNrvArmType() const { return m_type; }
    void setNrvArmType(en700ArmaturTyp type) { m_type = type; }
    // Translated display text of the type (sheet 2 rule for bare kinds).
    std::string getNrvArmTypeStr() const;

    // --- valves -------------------------------------------------------------
    // A new valve of the class the catalogue type becomes, owned by the model
    // and appended; null (nothing changed) for a type without class.
    nrvArmatur* Add(en700ArmaturTyp type);
    // Takes `valve` out of the model and deletes it; false (nothing changed)
    // when the model does not hold it.
    bool Remove(const nrvArmatur* valve);
    // Orders the valves by ascending key; valves of equal key keep their order.
    void SortBy(const std::function<double(const nrvArmatur&)>& key);
    // Null at or beyond the count; a negative index throws std::invalid_argument.
    nrvArmatur* getArmaturAt(int i) const;
    int getSize() const { return static_cast<int>(m_armaturen.size()); }
    // The valves in order; the model keeps ownership.
    std::vector<nrvArmatur*> getArmaturen() const;
    // Empty at or beyond the count; a negative index throws std::invalid_argument.
    std::string getArtikelNrAt(int i) const;
    // One entry per valve: its nominal size, item data the valve pointer.
    void getDimensionList(nrvComboBox& combo) const;
    // The execution details all valves share, or a message saying there are
    // none or that they differ.
    std::string getAusfuehrung(std::string_view separator) const;

    // The base reset, all valves deleted, file name, catalogue id, index and
    // guideline date reset; the type stays.
    void destroyAll() override;
    bool assignFrom(const nrvBaseArmaturen::nrvArmaturenModell& other) override;

    // --- persistence --------------------------------------------------------
    bool read(CNode* node) override;  // adds to the valves already held
    bool write(CNode* node) const override;
    // Semicolon text export of a thermostatic valve body model (type 201):
    // two header lines and one line per valve, appended to the file.
    bool appendDataToFile(const std::string& path) const;

    // Everything a model file restores (all but the version, which loading
    // does not evaluate), valve by valve with nrvArmatur::isEqual.
    bool isEqual(const nrvVDIArmaturenModell& other) const;

private:
    std::string m_filename;
    int m_idx = 0;
    std::string m_catID;
    int m_rlDatum = 0;
    en700ArmaturTyp m_type = nrvBaseArmaturen::en700Undefiniert;
    std::vector<std::unique_ptr<nrvArmatur>> m_armaturen;
};

}  // namespace nrvVDIArmaturen
