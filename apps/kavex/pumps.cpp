#include "pumps.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <ostream>
#include <vector>

#include "kavex/platform/catalog.h"
#include "kavex/platform/numbers.h"
#include "kavex/pumps/pumpenmanager.h"
#include "samplepumps.h"

namespace kavexcli {

namespace {

// The content key under which the bundled libraries list their pump files.
constexpr const char* kPumpenKind = "PUMPEN";

std::string zahl(const char* format, double v) {
    return nrvNumbers::format(format, v);
}
double m3h(double kubikmeterProSekunde) {
    return kubikmeterProSekunde * 3600.0;
}
double kPa(double pascal) {
    return pascal / 1000.0;
}

// A finite number as typed (decimal point, nothing around it).
bool leseZahl(const std::string& text, double& out) {
    return nrvNumbers::tryParseDouble(text, out) && std::isfinite(out);
}

bool ladeKatalog(const std::string& root, std::ostream& err) {
    nrvCatalogManager& kataloge = nrvCatalogManager::getInstance();
    if (!kataloge.init(root)) {
        err << "kavex pumps: " << kataloge.lastError() << "\n";
        return false;
    }
    nrvPumpenManager::instance().readAllPumpData(kPumpenKind);
    return true;
}

std::vector<const nrvPumpe*> allePumpen() {
    std::vector<const nrvPumpe*> pumpen;
    for (const auto& h : nrvPumpenManager::instance().getHersteller())
        for (const auto& s : h->getSerien())
            for (const auto& p : s->getPumpen())
                pumpen.push_back(p.get());
    return pumpen;
}

std::string herkunft(const nrvPumpe& p) {
    return p.getName() + " (" + p.getManufacturerName() + ", " + p.getSerialName() + ")";
}

// The pump of that name, else of that article number; null with a message
// when there is none or more than one.
const nrvPumpe* findePumpe(const std::string& gesucht, std::ostream& err) {
    std::vector<const nrvPumpe*> treffer;
    for (const nrvPumpe* p : allePumpen())
        if (p->getName() == gesucht) treffer.push_back(p);
    if (treffer.empty()) {
        for (const nrvPumpe* p : allePumpen())
            if (!p->getArticleNumber().empty() && p->getArticleNumber() == gesucht)
                treffer.push_back(p);
    }
    if (treffer.size() == 1) return treffer.front();
    if (treffer.empty()) {
        err << "kavex pumps: unknown pump '" << gesucht
            << "' (name or article number; 'kavex pumps list' shows the catalogue)\n";
    } else {
        err << "kavex pumps: '" << gesucht << "' names " << treffer.size() << " pumps:\n";
        for (const nrvPumpe* p : treffer)
            err << "  " << herkunft(*p) << "\n";
    }
    return nullptr;
}

std::string zulBereich(const nrvPumpe& p) {
    if (p.getDruckZulMax() <= 0.0) return {};
    return "set pressure " + zahl("%g", p.getDruckZulMin() / 10.0) + ".." +
           zahl("%g", p.getDruckZulMax() / 10.0) + " kPa";
}

int liste(std::ostream& out) {
    int serien = 0, pumpen = 0;
    const auto& hersteller = nrvPumpenManager::instance().getHersteller();
    for (const auto& h : hersteller) {
        out << h->getName() << " [" << h->getID() << "] " << h->getPfad() << "\n";
        for (const auto& s : h->getSerien()) {
            ++serien;
            out << "  " << s->getName() << " (application areas " << s->getEinsatzBereich()
                << ")\n";
            for (const auto& p : s->getPumpen()) {
                ++pumpen;
                out << "    " << p->getName() << " | art. " << p->getArticleNumber() << " | DN "
                    << p->getDN() << " | " << p->getRegelungTypName();
                if (const std::string bereich = zulBereich(*p); !bereich.empty())
                    out << " | " << bereich;
                out << " | curves:";
                for (std::size_t i = 0; i < p->getKennlinien().size(); ++i)
                    out << (i == 0 ? " " : ", ") << p->getKennlinien()[i]->getKennlinieName();
                out << "\n";
            }
        }
    }
    out << hersteller.size() << " manufacturers, " << serien << " series, " << pumpen << " pumps\n";
    return 0;
}

int pruefe(std::ostream& out) {
    std::vector<std::string> fehler;
    const bool ok = nrvPumpenManager::instance().checkAllPumpData(fehler);
    for (const std::string& zeile : fehler)
        out << zeile << "\n";
    out << "check: " << allePumpen().size() << " pumps, " << fehler.size() << " findings\n";
    return ok ? 0 : 1;
}

// What `curve` and `point` share: the pump, the control mode and the set
// pressure, checked.
struct Regelung {
    const nrvPumpe* pumpe = nullptr;
    int proportional = 0;
    double sollDruck = 0.0;  // Pa
};

bool leseRegelung(const PumpsJob& job, Regelung& r, std::ostream& err) {
    double kpa = 0.0;
    if (!leseZahl(job.setPressure, kpa)) {
        err << "kavex pumps: bad set pressure '" << job.setPressure << "': a number in kPa\n";
        return false;
    }
    r.sollDruck = kpa * 1000.0;
    r.pumpe = findePumpe(job.pump, err);
    if (r.pumpe == nullptr) return false;
    const int typ = r.pumpe->getRegelungTyp();
    if (typ != enRegeltypKonstDruck && typ != enRegeltypPropDruck &&
        typ != enRegeltypKonstPropDruck) {
        err << "kavex pumps: " << herkunft(*r.pumpe) << " has no pressure control ("
            << (typ == enRegeltypKennlinie ? "static curves" : "unknown control type") << ")\n";
        return false;
    }
    r.proportional = job.control.empty() ? (typ != enRegeltypKonstDruck) : job.control == "prop";
    return true;
}

// The control curves; false with the reason.
bool regelkurven(const Regelung& r, CLinearInterpolation& max, CLinearInterpolation& min,
                 std::ostream& err) {
    if (r.pumpe->getRegelkennlinie(r.sollDruck, r.proportional, max, min, 1, 1)) return true;
    const double lo = r.pumpe->getDruckZulMin() * 100.0, hi = r.pumpe->getDruckZulMax() * 100.0;
    if (!(r.sollDruck >= lo && r.sollDruck <= hi)) {
        err << "kavex pumps: set pressure " << zahl("%g", kPa(r.sollDruck))
            << " kPa outside the admissible range " << zahl("%g", kPa(lo)) << ".."
            << zahl("%g", kPa(hi)) << " kPa of " << herkunft(*r.pumpe) << "\n";
    } else {
        err << "kavex pumps: " << herkunft(*r.pumpe) << " has no control curves for "
            << r.pumpe->getAnzKennlinien() << " stored curves\n";
    }
    return false;
}

std::string modus(const Regelung& r) {
    return (r.proportional ? std::string("proportional") : std::string("constant")) +
           "-pressure control at " + zahl("%g", kPa(r.sollDruck)) + " kPa";
}

void tabelle(const CLinearInterpolation& k, std::ostream& out) {
    out << "    V m3/h     H kPa\n";
    for (std::size_t i = 0; i < k.getSize(); ++i)
        out << zahl("%10.3f", m3h(k.GetAtXArray(i))) << zahl("%10.2f", kPa(k.GetAtYArray(i)))
            << "\n";
}

int kurve(const PumpsJob& job, std::ostream& out, std::ostream& err) {
    Regelung r;
    CLinearInterpolation max, min;
    if (!leseRegelung(job, r, err) || !regelkurven(r, max, min, err)) return 1;
    out << herkunft(*r.pumpe) << ": " << r.pumpe->getRegelungTypName() << "\n";
    out << modus(r) << "\n";
    out << "along the maximum curve:\n";
    tabelle(max, out);
    out << "along the minimum curve:\n";
    tabelle(min, out);
    return 0;
}

// Where the network curve s + k q² meets the piecewise-linear control curve
// (the first crossing by rising flow); false when they do not meet.
bool betriebspunkt(const CLinearInterpolation& k, double s, double kNetz, double& q, double& h) {
    for (std::size_t i = 0; i + 1 < k.getSize(); ++i) {
        const double x0 = k.GetAtXArray(i), x1 = k.GetAtXArray(i + 1);
        const double y0 = k.GetAtYArray(i), y1 = k.GetAtYArray(i + 1);
        if (!(x1 > x0)) continue;
        // y0 + m (q - x0) = s + kNetz q²  →  kNetz q² - m q - (y0 - m x0 - s) = 0
        const double m = (y1 - y0) / (x1 - x0);
        const double c = y0 - m * x0 - s;
        const double disk = m * m + 4.0 * kNetz * c;
        if (disk < 0.0) continue;
        for (double wurzel :
             {(m + std::sqrt(disk)) / (2.0 * kNetz), (m - std::sqrt(disk)) / (2.0 * kNetz)}) {
            if (wurzel >= x0 && wurzel <= x1) {
                q = wurzel;
                h = s + kNetz * q * q;
                return true;
            }
        }
    }
    return false;
}

bool leseNetzpunkt(const PumpsJob& job, Netzpunkt& netz, std::ostream& err) {
    const auto teile = job.network.find(':');
    double v = 0.0, dp = 0.0, statisch = 0.0;
    if (teile == std::string::npos || !leseZahl(job.network.substr(0, teile), v) ||
        !leseZahl(job.network.substr(teile + 1), dp) || v <= 0.0 || dp <= 0.0) {
        err << "kavex pumps: bad network point '" << job.network
            << "': <flow m3/h>:<pressure kPa>, both positive, e.g. 2.5:20\n";
        return false;
    }
    if (!leseZahl(job.staticPart, statisch) || statisch < 0.0 || statisch >= dp) {
        err << "kavex pumps: bad static part '" << job.staticPart
            << "': kPa, at least 0 and below the network point's pressure\n";
        return false;
    }
    netz.name = "Netz";
    netz.volumenstrom = v / 3600.0;
    netz.druck = dp * 1000.0;
    netz.statischerDruck = statisch * 1000.0;
    return true;
}

int punkt(const PumpsJob& job, std::ostream& out, std::ostream& err) {
    Netzpunkt netz;
    Regelung r;
    CLinearInterpolation max, min;
    if (!leseNetzpunkt(job, netz, err) || !leseRegelung(job, r, err) ||
        !regelkurven(r, max, min, err)) {
        return 1;
    }
    out << herkunft(*r.pumpe) << ": " << r.pumpe->getRegelungTypName() << "\n";
    out << modus(r) << "\n";
    out << "network point: " << zahl("%.3f", m3h(netz.volumenstrom)) << " m3/h at "
        << zahl("%.2f", kPa(netz.druck)) << " kPa (static part "
        << zahl("%.2f", kPa(netz.statischerDruck)) << " kPa)\n";
    const double kNetz =
        (netz.druck - netz.statischerDruck) / (netz.volumenstrom * netz.volumenstrom);
    double q = 0.0, h = 0.0;
    if (betriebspunkt(max, netz.statischerDruck, kNetz, q, h)) {
        out << "operating point: " << zahl("%.3f", m3h(q)) << " m3/h at " << zahl("%.2f", kPa(h))
            << " kPa\n";
    } else {
        out << "operating point: none (the network curve does not meet the control curve)\n";
    }
    out << "network point inside the control range: "
        << (r.pumpe->isBetriebsPktImIntervall(netz, r.proportional) ? "yes" : "no") << "\n";
    if (r.proportional) {
        out << "proportional set pressure through the network point: "
            << zahl("%.2f", kPa(r.pumpe->findSchnittPktBetriebsPktProp_Pa(netz))) << " kPa\n";
    }
    return 0;
}

int beispiele(const std::string& root, std::ostream& out) {
    int fehler = 0;
    for (const WrittenPumpFile& f : writeSamplePumps(root)) {
        out << (f.ok ? "written " : "FAILED  ") << f.path << "\n";
        if (!f.ok) ++fehler;
    }
    return fehler == 0 ? 0 : 1;
}

}  // namespace

CLI::App* addPumpsCommand(CLI::App& app, PumpsJob& job, const std::string& defaultCatalogs) {
    job.catalogs = defaultCatalogs;
    CLI::App* pumps =
        app.add_subcommand("pumps",
                           "The pump catalogue of a catalogue root: list, check, control curves, "
                           "operating points");
    pumps->require_subcommand(1);
    pumps
        ->add_option("--catalogs", job.catalogs,
                     "Catalogue root (default: the bundled samples/catalogs)")
        ->check(CLI::ExistingDirectory);

    auto aktion = [&job](CLI::App* sub, const char* name) {
        sub->fallthrough();
        sub->callback([&job, name] { job.action = name; });
        return sub;
    };
    aktion(pumps->add_subcommand("list", "Manufacturers, series, pumps and control modes"), "list");
    aktion(pumps->add_subcommand("check", "Check all pump data (exit code 1 on findings)"),
           "check");
    auto regelung = [&job](CLI::App* sub) {
        sub->add_option("pump", job.pump, "Pump name or article number")->required();
        sub->add_option("--set-pressure", job.setPressure, "Set pressure in kPa")->required();
        sub->add_option("--control", job.control,
                        "konst or prop (default: by the pump's control type)")
            ->check(CLI::IsMember({"konst", "prop"}));
    };
    CLI::App* curve =
        aktion(pumps->add_subcommand("curve", "The control curves at a set pressure (m3/h, kPa)"),
               "curve");
    regelung(curve);
    CLI::App* point =
        aktion(pumps->add_subcommand("point",
                                     "The operating point with the network curve through a "
                                     "network point"),
               "point");
    regelung(point);
    point->add_option("--network", job.network, "Network point <flow m3/h>:<pressure kPa>")
        ->required();
    point->add_option("--static", job.staticPart, "Static part of the network pressure in kPa");
    CLI::App* samples = aktion(
        pumps->add_subcommand("samples", "Write the sample pump files into a catalogue root"),
        "samples");
    samples->add_option("root", job.samplesRoot, "Catalogue root (folders are created)")
        ->required();
    return pumps;
}

int runPumpsJob(const PumpsJob& job, std::ostream& out, std::ostream& err) {
    if (job.action == "samples") return beispiele(job.samplesRoot, out);
    if (job.action.empty()) {
        err << "kavex pumps: no job given\n";
        return 1;
    }
    if (!ladeKatalog(job.catalogs, err)) return 1;
    if (job.action == "list") return liste(out);
    if (job.action == "check") return pruefe(out);
    if (job.action == "curve") return kurve(job, out, err);
    if (job.action == "point") return punkt(job, out, err);
    err << "kavex pumps: unknown job '" << job.action << "'\n";
    return 1;
}

}  // namespace kavexcli
