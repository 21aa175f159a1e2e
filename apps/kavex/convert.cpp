#include "convert.h"

#include <unistd.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <ostream>

#include "kavex/curves/kurve.h"
#include "kavex/platform/atomicfile.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturtyp.h"
#include "kavex/vdi3805/vdicheck.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"

namespace kavexcli {

namespace fs = std::filesystem;
using nrvBaseArmaturen::CKurve;
using nrvBaseArmaturen::curveNode;
using nrvVDIArmaturen::nrvArmatur;
using nrvVDIArmaturen::nrvVDIArmaturenModell;

namespace {

constexpr int kType010 = 1000;
constexpr int kType100 = 10000;
constexpr int kType110 = 11000;
constexpr int kType800 = 80000;

std::string withLineFeeds(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

std::string zahl(double v) {
    return nrvNumbers::formatG(v);
}

// --- series and executions of a catalogue ------------------------------------

int groupOf(const CVDIBase& series) {
    const CVDIBase* parent = series.GetParent();
    return parent != nullptr && parent->GetTypeNo() == kType100 ? parent->GetIndex() : 0;
}

std::vector<CVDIBase*> allSeries(const CVDIDoc& doc) {
    std::vector<CVDIBase*> series;
    if (const CVDIBase* header = doc.FindRecord(kType010, -1, 1))
        header->CollectRecords(kType110, series);
    return series;
}

std::vector<VDIStruct_800*> executionsOf(const CVDIBase& series) {
    std::vector<CVDIBase*> records;
    series.CollectRecords(kType800, records);
    std::vector<VDIStruct_800*> executions;
    for (CVDIBase* record : records)
        if (auto* e = dynamic_cast<VDIStruct_800*>(record)) executions.push_back(e);
    return executions;
}

std::string seriesLine(const CVDIBase& s) {
    return std::to_string(groupOf(s)) + "/" + std::to_string(s.GetIndex()) + "  " + s.GetField(4) +
           "  (" + std::to_string(executionsOf(s).size()) + " executions)";
}

// A series is named by its model name, its 110 index, or "<100>/<110>" where
// the index alone is ambiguous.
bool matches(const CVDIBase& s, const std::string& wanted) {
    const std::size_t slash = wanted.find('/');
    int group = 0, index = 0;
    if (slash != std::string::npos && nrvNumbers::tryParseInt(wanted.substr(0, slash), group) &&
        nrvNumbers::tryParseInt(wanted.substr(slash + 1), index))
        return groupOf(s) == group && s.GetIndex() == index;
    if (nrvNumbers::tryParseInt(wanted, index)) return s.GetIndex() == index;
    return s.GetField(4) == wanted;
}

const CVDIBase* findSeries(const CVDIDoc& doc, const std::string& wanted, std::ostream& err) {
    const std::vector<CVDIBase*> series = allSeries(doc);
    std::vector<const CVDIBase*> found;
    for (const CVDIBase* s : series)
        if (matches(*s, wanted)) found.push_back(s);
    if (found.size() == 1) return found.front();
    if (found.empty()) {
        err << "kavex convert: no series '" << wanted << "'; the catalogue holds (group/index):\n";
        for (const CVDIBase* s : series)
            err << "  " << seriesLine(*s) << "\n";
    } else {
        err << "kavex convert: '" << wanted << "' names " << found.size()
            << " series; choose one by group/index:\n";
        for (const CVDIBase* s : found)
            err << "  " << seriesLine(*s) << "\n";
    }
    return nullptr;
}

bool selectExecutions(const std::vector<VDIStruct_800*>& all, const std::string& list,
                      std::vector<VDIStruct_800*>& chosen, std::ostream& err) {
    if (list == "all") {
        chosen = all;
        return true;
    }
    for (const std::string& part : nrvStrUtil::separatedStringToVector(list, ',', true)) {
        int index = 0;
        auto it = all.end();
        if (nrvNumbers::tryParseInt(part, index))
            it = std::find_if(all.begin(), all.end(),
                              [index](const VDIStruct_800* e) { return e->GetIndex() == index; });
        if (it == all.end()) {
            err << "kavex convert: the series has no execution '" << part << "'; its executions:";
            for (const VDIStruct_800* e : all)
                err << " " << e->GetIndex();
            err << "\n";
            return false;
        }
        chosen.push_back(*it);
    }
    if (chosen.empty()) err << "kavex convert: no execution chosen\n";
    return !chosen.empty();
}

bool readXp(const ConvertJob& job, VDIStruct_800& first, float& xp, std::ostream& err) {
    if (job.xp.empty()) {
        xp = nrvVDICheck::DataCheckXp(first);
        return true;
    }
    double value = 0.0;
    if (!nrvNumbers::tryParseDouble(job.xp, value) || !std::isfinite(value) || value < 0.0) {
        err << "kavex convert: bad XP '" << job.xp << "': a proportional band in K, such as 2.0\n";
        return false;
    }
    xp = static_cast<float>(value);
    return true;
}

// Hints and errors as the report list holds them; the number of errors.
int printReports(std::ostream& out) {
    int errors = 0;
    for (const CReportEntry& entry : CReportList::instance().GetEntries()) {
        out << "\n" << (entry.isError() ? "/// Fehler ///" : "/// Hinweis ///") << "\n";
        out << withLineFeeds(entry.text.empty() ? entry.title : entry.text) << "\n";
        if (entry.isError()) ++errors;
    }
    return errors;
}

std::string typeLine(const nrvVDIArmaturenModell& model) {
    const int type = model.getNrvArmType();
    return std::to_string(type) + " " + nrvBaseArmaturen::getNrvArmTypeText(type);
}

// --- model description ---------------------------------------------------------

// The main curve of a valve: points, setting range and value range.
std::string curveLine(const CKurve& curve) {
    if (curve.getSize() == 0) return "no curve";
    float xMin = 0, xMax = 0, yMin = curve.getAt(0).y, yMax = yMin;
    bool numeric = false;
    for (int i = 0; i < curve.getSize(); ++i) {
        const curveNode& p = curve.getAt(i);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
        if (p.x <= curveNode::NoNumericSetting + 1.0f) continue;
        xMin = numeric ? std::min(xMin, p.x) : p.x;
        xMax = numeric ? std::max(xMax, p.x) : p.x;
        numeric = true;
    }
    std::string line = std::to_string(curve.getSize()) + " points";
    if (numeric)
        line += ", x " + zahl(xMin) + ".." + zahl(xMax) +
                (curve.getEinheitx().empty() ? "" : " " + curve.getEinheitx());
    line += ", y " + zahl(yMin) + ".." + zahl(yMax) +
            (curve.getEinheity().empty() ? "" : " " + curve.getEinheity());
    return line;
}

// Classes with several curves store each in a block of its own in the model
// file; their node names tell which curves the valve has.
std::string curveBlocks(const nrvArmatur& valve) {
    CNode node("Armatur");
    valve.write(&node);
    std::string names;
    CNode::Pos pos = node.GetFirstChildPos();
    while (const CNode* child = node.GetNextChild(pos))
        names += (names.empty() ? "" : ", ") + child->GetName();
    return names.empty() ? std::string() : " | curve blocks: " + names;
}

void describeValve(const nrvArmatur& v, std::ostream& out) {
    out << "  DN " << v.getDimension() << " | kvs " << zahl(v.getKvs()) << " m3/h | art. "
        << (v.getArtikelNr().empty() ? "-" : v.getArtikelNr()) << " | execution "
        << v.getAusfIndex() << " | " << v.desc() << "\n"
        << "    curve: " << curveLine(v.getKurve()) << curveBlocks(v) << "\n";
}

void describeModel(const nrvVDIArmaturenModell& model, std::ostream& out) {
    out << "model: " << model.getModelType() << "\n"
        << "manufacturer: " << model.getManufacturer() << "\n"
        << "catalogue file: " << model.getFilename() << "\n"
        << "guideline date: " << model.getRLDatum() << "\n"
        << "type: " << typeLine(model) << "\n"
        << "valves: " << model.getSize() << "\n";
    for (const nrvArmatur* valve : model.getArmaturen())
        describeValve(*valve, out);
}

// The model's export appends (the dialog collects several models in one
// file); the command line replaces the file, atomically.
bool exportText(const nrvVDIArmaturenModell& model, const std::string& path) {
    const std::string scratch = path + ".export-" + std::to_string(::getpid());
    std::error_code ec;
    fs::remove(scratch, ec);
    std::string text;
    const bool built = model.appendDataToFile(scratch) && nrvFiles::readFile(scratch, text);
    fs::remove(scratch, ec);
    return built && nrvFiles::writeFileAtomic(path, text);
}

}  // namespace

CLI::App* addConvertCommand(CLI::App& app, ConvertJob& job) {
    CLI::App* convert = app.add_subcommand(
        "convert", "Convert executions of one series of a VDI 3805 catalogue into a model file");
    convert->add_option("catalogue", job.catalogue, "Catalogue file (.vdi, .vdix, .tga)")
        ->required()
        ->check(CLI::ExistingFile);
    convert
        ->add_option("--series", job.series,
                     "Model series: its name, its index, or <group>/<index>")
        ->required();
    convert
        ->add_option("--executions", job.executions,
                     "Execution indexes (record 800), comma-separated, or all")
        ->capture_default_str();
    convert->add_option("--xp", job.xp,
                        "Proportional band in K for thermostatic valves (default: from the data)");
    convert->add_option("-o,--output", job.output, "Model file to write (.vmf)")->required();
    return convert;
}

CLI::App* addModelCommand(CLI::App& app, ModelJob& job) {
    CLI::App* model = app.add_subcommand(
        "model", "Describe a model file: type, valves, nominal sizes, kvs, curves");
    model->add_option("file", job.file, "Model file (.vmf)")->required()->check(CLI::ExistingFile);
    model->add_option("--export", job.exportPath,
                      "Write the semicolon text export of the model (thermostatic valve bodies)");
    return model;
}

int runConvertJob(const ConvertJob& job, std::ostream& out, std::ostream& err) {
    CReportList& reports = CReportList::instance();
    reports.Clear();
    CVDIDoc doc;
    if (!doc.Load(job.catalogue, false, 0, false)) {
        err << "kavex convert: cannot load " << job.catalogue << "\n";
        printReports(err);
        return 1;
    }
    const CVDIBase* series = findSeries(doc, job.series, err);
    if (series == nullptr) return 1;
    std::vector<VDIStruct_800*> chosen;
    float xp = 0.0f;
    if (!selectExecutions(executionsOf(*series), job.executions, chosen, err) ||
        !readXp(job, *chosen.front(), xp, err))
        return 1;

    std::vector<nrvVDIConvert::AccessoryList> accessories;
    for (VDIStruct_800* execution : chosen)
        accessories.push_back(nrvVDIConvert::CollectAccessories(*execution));
    reports.Clear();
    reports.SetAddPath(true);
    nrvVDIArmaturenModell model;
    nrvVDIConvert::FillModel(model, chosen, std::vector<float>(chosen.size(), xp), accessories);

    out << "model '" << model.getModelType() << "' (" << model.getManufacturer() << "), type "
        << typeLine(model) << ": " << model.getSize() << " valves from " << chosen.size()
        << " executions\n";
    const int errors = printReports(out);
    if (model.getSize() == 0) {
        err << "kavex convert: no valve could be built; nothing written\n";
        return 1;
    }
    if (!model.saveVMFFile(job.output)) {
        err << "kavex convert: cannot write " << job.output << "\n";
        return 1;
    }
    out << "written " << job.output << "\n";
    if (errors > 0)
        out << "kavex convert: " << errors
            << " errors: the catalogue dialog would refuse to take this model over\n";
    return errors > 0 ? 1 : 0;
}

int runModelJob(const ModelJob& job, std::ostream& out, std::ostream& err) {
    nrvVDIArmaturenModell model;
    if (!model.loadVMFFile(job.file)) {
        err << "kavex model: " << job.file << " is no readable catalogue model file\n";
        return 1;
    }
    describeModel(model, out);
    if (job.exportPath.empty()) return 0;
    if (model.getNrvArmType() != nrvBaseArmaturen::en700THKV) {
        err << "kavex model: the text export covers thermostatic valve bodies (type 201) only\n";
        return 1;
    }
    if (!exportText(model, job.exportPath)) {
        err << "kavex model: cannot write " << job.exportPath << "\n";
        return 1;
    }
    out << "exported " << job.exportPath << "\n";
    return 0;
}

}  // namespace kavexcli
