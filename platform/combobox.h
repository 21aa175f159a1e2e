#pragma once
// The seam through which services fill a selection list (a combo box in the
// dialogs, a plain list on the command line and in tests).

#include <cstdint>
#include <string>
#include <vector>

#include "kavex/platform/export.h"

class KAVEX_API nrvComboBox {
public:
    virtual ~nrvComboBox();
    virtual void clear() = 0;
    // Appends an entry; returns its index.
    virtual int addString(const std::string& text, std::intptr_t itemData = 0) = 0;
    // Selects entry i (-1: none); false when i is out of range.
    virtual bool setCurSel(int i) = 0;
    virtual int getCurSel() const = 0;
    virtual int getCount() const = 0;
    virtual std::string getText(int i) const = 0;
    virtual std::intptr_t getItemData(int i) const = 0;
};

// A plain list: the command line's and the tests' combo box.
class KAVEX_API nrvListComboBox : public nrvComboBox {
public:
    struct Entry {
        std::string text;
        std::intptr_t data = 0;
    };
    void clear() override;
    int addString(const std::string& text, std::intptr_t itemData = 0) override;
    bool setCurSel(int i) override;
    int getCurSel() const override { return m_sel; }
    int getCount() const override { return static_cast<int>(m_entries.size()); }
    std::string getText(int i) const override;
    std::intptr_t getItemData(int i) const override;
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
    int m_sel = -1;
};
