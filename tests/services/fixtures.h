#pragma once
// Thermostatic-valve records for the service tests.

#include <initializer_list>
#include <string>
#include <vector>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/services/armaturenmodellrecord.h"
#include "kavex/valves/armaturthkv.h"

namespace servicetest {

// The kv of settings 1 (closed) to 8 of a realistic valve body, kvs 0.86.
inline const std::vector<float> kTypicalKv = {0.049f, 0.09f, 0.15f, 0.265f,
                                              0.33f,  0.47f, 0.59f, 0.67f};

// A global (or local) record of kind 4446 with one body per DN, each with the
// typical settings times `scale`; the curve runs from the most open setting.
inline nrvBaseArmaturen::VDIArmaturenModell thkvRecord(std::string model,
                                                       std::initializer_list<int> dns,
                                                       float scale = 1.0f, int global = 1,
                                                       std::string klasse = "") {
    nrvBaseArmaturen::VDIArmaturenModell record;
    record.typ = nrvBaseArmaturen::enHzTHKV;
    record.global = global;
    record.klasse = std::move(klasse);
    record.getModell().setManufacturerModel("Rheintal Armaturen GmbH", std::move(model));
    for (int dn : dns) {
        auto* valve = record.getModell().Add(nrvBaseArmaturen::en700THKV);
        valve->setTyp(nrvBaseArmaturen::en700THKV);  // a copied model keeps only typed valves
        valve->setDimension(dn);
        valve->setKvs(0.86 * scale);
        valve->setArtikelNr("TV-" + std::to_string(dn));
        nrvBaseArmaturen::CEinstellungKurve curve;
        for (int s = 8; s >= 1; --s)
            curve.addCurveNode(float(s), std::to_string(s), kTypicalKv[s - 1] * scale);
        curve.setXp(2.0);
        static_cast<nrvVDIArmaturen::nrvArmaturTHKV*>(valve)->addKvKurve(curve);
    }
    return record;
}

}  // namespace servicetest
