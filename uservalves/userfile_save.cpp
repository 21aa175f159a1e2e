#include "kavex/uservalves/userfile_save.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>

#include "kavex/platform/atomicfile.h"
#include "kavex/platform/treestore.h"
#include "kavex/uservalves/userdoc.h"

namespace nrvUserArmaturen {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEndung = ".userarm";
// Longest file name of the usual Linux file systems, in bytes.
constexpr std::size_t kMaxDateiname = 255;
// Shortened names: the kept bytes, "%%", 16 hex digits and ".userarm" fit.
constexpr std::size_t kGekuerzt = 220;

bool mussKodiertWerden(unsigned char c, bool amAnfang) {
    return c == '/' || c == '%' || c < 0x20 || c == 0x7F || (amAnfang && c == '.');
}

void hexAnhaengen(std::string& out, unsigned char c) {
    constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

// FNV-1a, 64 bit: keeps shortened long names apart.
std::string hashText(std::string_view text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    std::string out;
    for (int shift = 60; shift >= 0; shift -= 4)
        out += "0123456789abcdef"[(h >> shift) & 0xF];
    return out;
}

std::string normalPfad(const std::string& pfad) {
    if (pfad.empty()) return {};
    std::error_code ec;
    fs::path p = fs::absolute(pfad, ec);
    if (ec) p = pfad;
    return p.lexically_normal().string();
}

bool dateiDa(const std::string& pfad) {
    return !pfad.empty() && nrvFiles::fileExists(pfad);
}

// What one save needs to know about the whole list.
class Speichern {
public:
    Speichern(std::vector<UserHersteller>& liste, const std::string& verzeichnis)
        : m_liste(liste), m_verzeichnis(verzeichnis) {
        for (const UserHersteller& h : liste)
            m_ziele.push_back(normalPfad(userArmPfad(verzeichnis, h.name)));
    }

    bool alle() {
        // A manufacturer whose file is where another one's goes moves to its
        // own name first, so that the other one never overwrites data that
        // were not saved elsewhere.
        std::vector<bool> verdraengt(m_liste.size(), false);
        for (std::size_t i = 0; i < m_liste.size(); ++i) {
            verdraengt[i] = istZielEinesAnderen(m_liste[i].dateipfad, i);
            if (verdraengt[i]) m_liste[i].geaendert = true;
        }
        bool ok = true;
        for (bool zuerst : {true, false}) {
            for (std::size_t i = m_liste.size(); i-- > 0;) {
                if (verdraengt[i] == zuerst) ok = einen(i) && ok;
            }
        }
        return ok;
    }

    // Deletes the files of documents whose manufacturer is no longer listed.
    bool verwaisteLoeschen(CUserData& dokumente) {
        bool ok = true;
        for (const auto& doc : dokumente.getDocuments()) {
            const CNode* root = doc->getRoot();
            // Files that are not user valve files, or were not read, are not ours to delete.
            if (root == nullptr || root->GetName() != "KURVEN") continue;
            if (istGelistet(leseHerstellerName(*root))) continue;
            if (!gehoertGelistetem(doc->getPath())) {
                std::error_code ec;
                fs::remove(doc->getPath(), ec);
                ok = ok && !ec;
            }
            doc->clear();
        }
        return ok;
    }

private:
    bool einen(std::size_t i) {
        UserHersteller& h = m_liste[i];
        const bool hatDatei = dateiDa(h.dateipfad);
        if (!h.geaendert && hatDatei) return true;
        const auto baum = baueUserArmBaum(h);
        if (!baum) return true;  // nothing that makes a file
        const std::string& ziel = m_ziele[i];
        // The target still holds another manufacturer (one that could not move
        // away, or one of the same file name): never overwrite it.
        if (istDateiEinesAnderen(ziel, i)) return false;
        std::error_code ec;
        if (!m_verzeichnis.empty()) fs::create_directories(m_verzeichnis, ec);
        if (!baum->WriteToFile(ziel, false, true, true, 0, ':')) return false;
        bool ok = true;
        const std::string alt = normalPfad(h.dateipfad);
        if (hatDatei && alt != ziel && !istZielEinesAnderen(alt, i)) {
            fs::remove(alt, ec);
            ok = !ec;
        }
        h.dateipfad = userArmPfad(m_verzeichnis, h.name);
        h.geaendert = false;
        return ok;
    }

    bool istZielEinesAnderen(const std::string& pfad, std::size_t i) const {
        const std::string p = normalPfad(pfad);
        if (p.empty()) return false;
        for (std::size_t j = 0; j < m_ziele.size(); ++j) {
            if (j != i && m_ziele[j] == p) return true;
        }
        return false;
    }

    bool istDateiEinesAnderen(const std::string& pfad, std::size_t i) const {
        for (std::size_t j = 0; j < m_liste.size(); ++j) {
            if (j != i && dateiDa(m_liste[j].dateipfad) && normalPfad(m_liste[j].dateipfad) == pfad)
                return true;
        }
        return false;
    }

    bool istGelistet(const std::string& name) const {
        for (const UserHersteller& h : m_liste) {
            if (h.name == name) return true;
        }
        return false;
    }

    // The path is (now) the file of a listed manufacturer.
    bool gehoertGelistetem(const std::string& pfad) const {
        const std::string p = normalPfad(pfad);
        for (std::size_t j = 0; j < m_liste.size(); ++j) {
            if (m_ziele[j] == p || normalPfad(m_liste[j].dateipfad) == p) return true;
        }
        return false;
    }

    std::vector<UserHersteller>& m_liste;
    const std::string& m_verzeichnis;
    std::vector<std::string> m_ziele;  // normalised target path per manufacturer
};

}  // namespace

std::string userArmDateiname(std::string_view hersteller) {
    if (hersteller.empty()) return "%" + std::string(kEndung);
    std::string name;
    std::size_t schnitt = 0;  // longest prefix ending on a character boundary within kGekuerzt
    for (std::size_t i = 0; i < hersteller.size(); ++i) {
        const auto c = static_cast<unsigned char>(hersteller[i]);
        if ((c & 0xC0) != 0x80 && name.size() <= kGekuerzt) schnitt = name.size();
        if (mussKodiertWerden(c, i == 0)) {
            hexAnhaengen(name, c);
        } else {
            name += static_cast<char>(c);
        }
    }
    if (name.size() <= kGekuerzt) schnitt = name.size();
    if (name.size() + kEndung.size() > kMaxDateiname)
        name = name.substr(0, schnitt) + "%%" + hashText(hersteller);
    return name + std::string(kEndung);
}

std::string userArmPfad(const std::string& verzeichnis, std::string_view hersteller) {
    return (fs::path(verzeichnis) / userArmDateiname(hersteller)).string();
}

std::vector<UserHersteller> ladeUserHersteller(const CUserData& dokumente) {
    std::vector<UserHersteller> out;
    for (const auto& doc : dokumente.getDocuments()) {
        UserHersteller h;
        if (doc->getRoot() == nullptr || !leseUserArmBaum(*doc->getRoot(), h)) continue;
        h.dateipfad = doc->getPath();
        h.geaendert = false;
        out.push_back(std::move(h));
    }
    return out;
}

bool speichereUserHersteller(std::vector<UserHersteller>& liste, const std::string& verzeichnis,
                             CUserData* dokumente) {
    Speichern speichern(liste, verzeichnis);
    bool ok = speichern.alle();
    if (dokumente != nullptr) ok = speichern.verwaisteLoeschen(*dokumente) && ok;
    return ok;
}

}  // namespace nrvUserArmaturen
