#include "kavex/platform/combobox.h"

nrvComboBox::~nrvComboBox() = default;

void nrvListComboBox::clear() {
    m_entries.clear();
    m_sel = -1;
}

int nrvListComboBox::addString(const std::string& text, std::intptr_t itemData) {
    m_entries.push_back({text, itemData});
    return static_cast<int>(m_entries.size()) - 1;
}

bool nrvListComboBox::setCurSel(int i) {
    if (i < -1 || i >= getCount()) return false;
    m_sel = i;
    return true;
}

std::string nrvListComboBox::getText(int i) const {
    if (i < 0 || i >= getCount()) return {};
    return m_entries[static_cast<std::size_t>(i)].text;
}

std::intptr_t nrvListComboBox::getItemData(int i) const {
    if (i < 0 || i >= getCount()) return 0;
    return m_entries[static_cast<std::size_t>(i)].data;
}
