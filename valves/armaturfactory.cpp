#include "kavex/valves/armaturfactory.h"

#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturregler.h"
#include "kavex/valves/armatursechswege.h"
#include "kavex/valves/armaturthkv.h"
#include "kavex/valves/armaturtw.h"

namespace nrvBaseArmaturen {

namespace {

template <class T>
void add(CObjectFactory& factory) {
    factory.Register(std::make_unique<T>());
}

// The classes of the catalogue valve layer; the user valve (between the base
// valve and the accessory in the module's list) comes from its own layer.
void registerCatalogueClasses(CObjectFactory& factory) {
    using namespace nrvVDIArmaturen;
    add<nrvArmatur>(factory);
    add<nrvArmaturZubehoer>(factory);
    add<nrvArmaturTHKV>(factory);
    add<nrvArmaturDDR>(factory);
    add<nrvArmaturTHKVDFR>(factory);
    add<nrvArmaturDFR>(factory);
    add<nrvArmaturDDRDFR>(factory);
    add<nrvArmaturDross>(factory);
    add<nrvArmaturThermoDross>(factory);
    add<nrvArmaturElektroDross>(factory);
    add<nrvArmaturEAV>(factory);
    add<nrvArmaturSicherung>(factory);
    add<nrvArmaturEA>(factory);
    add<nrvArmaturDruckminderer>(factory);
    add<nrvVDIArmaturenModell>(factory);
    add<nrvArmaturZaehler>(factory);
    add<nrvArmaturVenturi>(factory);
    add<nrvArmaturSechsWegeRegelarmatur>(factory);
    add<nrvArmaturSechsWegeRegelarmaturMitDFR>(factory);
    add<nrvArmaturRegelventil>(factory);
    add<nrvArmaturRSV>(factory);
}

}  // namespace

CObjectFactory& getArmaturClassFactory() {
    static CObjectFactory factory(registerCatalogueClasses);
    return factory;
}

void registerArmaturClass(std::unique_ptr<CObject> prototype) {
    if (!prototype) return;
    CObjectFactory& factory = getArmaturClassFactory();
    // Filled first, so that the built-in list never replaces a class a
    // higher layer registered under the same name.
    factory.Count();
    factory.Register(std::move(prototype));
}

std::unique_ptr<nrvArmaturObject> createArmaturObject(std::string_view className) {
    std::unique_ptr<CObject> object = getArmaturClassFactory().Create(className);
    auto* domainObject = dynamic_cast<nrvArmaturObject*>(object.get());
    if (domainObject == nullptr) return nullptr;
    object.release();
    return std::unique_ptr<nrvArmaturObject>(domainObject);
}

std::vector<std::string> getArmaturClassNames() {
    return getArmaturClassFactory().ClassNames();
}

}  // namespace nrvBaseArmaturen
