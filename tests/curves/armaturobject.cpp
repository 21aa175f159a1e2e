#include "kavex/curves/armaturobject.h"

#include <gtest/gtest.h>

#include <memory>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/curves/kurve14.h"
#include "kavex/platform/treestore.h"

using namespace nrvBaseArmaturen;

namespace {

// An object whose class has no record, as a foreign subclass might answer.
class Unregistered : public nrvArmaturObject {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return nullptr; }
};

TEST(ArmaturObject, ClassNamesAndDerivation) {
    nrvArmaturObject base;
    CKurve kurve;
    CKurve14 kurve14;
    CEinstellungKurve einst;
    const std::pair<const nrvArmaturObject*, const char*> objects[] = {
        {&base, "nrvArmaturObject"},
        {&kurve, "CKurve"},
        {&kurve14, "CKurve14"},
        {&einst, "CEinstellungKurve"}};
    for (const auto& [object, name] : objects) {
        EXPECT_EQ(object->desc(), name);
        EXPECT_TRUE(object->isDerivedFrom(KAVEX_RUNTIME_CLASS(nrvArmaturObject))) << name;
        EXPECT_TRUE(object->isDerivedFrom(base)) << name;
        // Model files recreate objects from the stored class name.
        std::unique_ptr<CObject> made(object->GetRuntimeClass()->CreateObject());
        EXPECT_EQ(dynamic_cast<nrvArmaturObject&>(*made).desc(), name);
    }
    EXPECT_TRUE(einst.isDerivedFrom(kurve));
    EXPECT_FALSE(kurve.isDerivedFrom(einst));
    EXPECT_FALSE(kurve14.isDerivedFrom(kurve));
    EXPECT_FALSE(base.isDerivedFrom(static_cast<const CRuntimeClass*>(nullptr)));
    Unregistered loose;
    EXPECT_EQ(loose.desc(), "");
    EXPECT_FALSE(loose.isDerivedFrom(base));
    EXPECT_FALSE(base.isDerivedFrom(loose));
}

TEST(ArmaturObject, CopiesAndBaseHooks) {
    nrvArmaturObject owner;
    nrvArmaturObject a(&owner), b;
    b = a;  // the base copies its parent...
    EXPECT_EQ(b.getParent(), &owner);
    CKurve curve;  // ...a curve never does: its new owner sets it
    curve.setParent(&owner);
    curve.addCurveNode(1.0f, "1", 2.0f);
    curve.setEinheity("m³/h");
    CKurve assigned;
    assigned = curve;
    EXPECT_EQ(assigned.getSize(), 1);
    EXPECT_EQ(assigned.getEinheity(), "m³/h");
    EXPECT_EQ(assigned.getParent(), nullptr);
    EXPECT_EQ(CKurve(curve).getParent(), nullptr);

    CNode node("N");
    EXPECT_TRUE(owner.read(&node));
    EXPECT_TRUE(owner.write(&node));
    EXPECT_EQ(node.Items().size(), 0u);
    EXPECT_EQ(owner.getKvThermDesinfektion(), 0.0);
}

}  // namespace
