// The VDI 3805 catalogue reader over arbitrary bytes: line splitting, header
// checks of every file kind, record placement, field access with and without
// the old-layout mapping, and the searches over the record tree.
//
// The first byte chooses the file kind (".vdi", ".vdix", ".tga" or another
// extension) and the filter flag; the rest is the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vditemplate.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr const char* kNames[] = {"fuzz.vdi", "fuzz.vdix", "fuzz.TGA", "fuzz.txt"};

// Every record hangs below its parent, belongs to the document and gives
// every field without failing; returns the number of records below the document.
std::size_t walk(const CVDIDoc& doc) {
    std::size_t count = 0;
    std::vector<const CVDIBase*> stack{&doc};
    while (!stack.empty()) {
        const CVDIBase* record = stack.back();
        stack.pop_back();
        for (const auto& child : record->GetChildren()) {
            check(child->GetParent() == record);
            check(child->GetDocument() == &doc);
            stack.push_back(child.get());
        }
        if (record == &doc) continue;
        ++count;
        const std::string& line = record->GetLine();
        check(!line.empty() && line.front() != ' ' && line.back() != ' ');
        const int fields = 3 + static_cast<int>(std::count(line.begin(), line.end(), ';'));
        for (int n = 0; n <= std::min(fields, 40); ++n) {
            const std::string mapped = record->GetField(n);
            const std::string raw = record->GetField(n, true);
            check(mapped.size() <= line.size() && raw.size() <= line.size());
            (void)record->GetFieldInt(n);
            (void)record->GetFieldDouble(n, true);
        }
        check(record->GetTypeNo() ==
              CVDIBase::TypeNoOf(nrvNumbers::parseDouble(nrvStrUtil::GetSubStr(line, 1, ';'))));
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CVDITemplate::SetFolder("/nonexistent-kavex-fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned mode = data[0];
    const std::string name = kNames[mode % 4];
    const bool filter = (mode & 4) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<std::string> lines;
    check(nrvStrUtil::splitLines(bytes, lines, nrvStrUtil::CodePage1252, mode % 4 == 1));
    const std::size_t lineCount = lines.size();
    CVDIDoc doc;
    const bool parsed = doc.LoadLines(name, lines, filter, 0);
    check(doc.IsLoaded() && doc.IsParsed() == parsed);
    check(parsed || doc.GetChildCount() == 0);
    check(doc.GetFileLines().size() == lineCount);

    const std::size_t records = walk(doc);
    std::vector<std::string> dumped;
    doc.DumpAllLines(dumped);
    check(dumped.size() == records);
    if (parsed && !filter) {
        // One record per line with a record type, none for the others.
        std::size_t typed = 0;
        for (const std::string& line : doc.GetFileLines()) {
            const std::string type = nrvStrUtil::GetSubStr(line, 1, ';');
            typed += type.find_first_not_of(" \t\r\n\v\f") != std::string::npos;
        }
        check(typed == records);
    }
    if (records > 0) {
        const CVDIBase* first = doc.GetChild(0);
        (void)first->reportPath();
        (void)first->reportFooter();
        std::vector<CVDIBase*> found;
        doc.CollectRecords(first->GetTypeNo(), found);
        check(!found.empty() && doc.FindRecord(first->GetTypeNo(), first->GetIndex()) != nullptr);
    }
    CReportList::instance().Clear();
    return 0;
}
