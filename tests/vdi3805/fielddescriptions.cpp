// The bundled field descriptions name, for every guideline issue, what the
// reader and the conversion take from each field: a shifted or missing field
// would show the catalogue viewer's user the wrong meaning next to a value.
#include <gtest/gtest.h>

#include <string>

#include "vdifixtures.h"

namespace {

struct Expected {
    int sheet;
    int date;
    const char* type;
    int field;
    const char* start;  // the description begins with this
};

const Expected kKeyFields[] = {
    {2, 1098, "010", 4, "Hersteller"},  // an old .tga file reads the first issue
    {2, 200302, "010", 15, "n.v."},     // currency and price basis came later
    {2, 201110, "010", 15, "Währung"},
    {17, 201601, "010", 4, "Hersteller"},
    {2, 201601, "700", 4, "Armaturart (Typ = 200 "},
    {17, 200311, "700", 4, "Armaturart (Typ = 1700 "},
    {2, 202112, "700", 6, "kvs-Wert in m³/h"},
    {17, 201601, "700", 6, "kvs-Wert in m³/h"},
    {17, 201601, "700", 9, "T(min) in °C"},
    {2, 201601, "700", 31, "Schließdruck in hPa"},
    {17, 201601, "700", 36, "Schließdruck in hPa"},
    {17, 201601, "700", 39, "Druckverlustbasis"},
    {2, 200302, "800", 3, "TGA-Nummer"},
    {17, 201601, "800", 3, "TGA-Nummer"},
    {2, 201601, "710.01", 9, "kv-Wert in m³/h"},
    {17, 200311, "710.01", 9, "kv-Wert in m³/h"},
    {2, 201601, "710.01", 5, "Einstellung (Text)"},
    {2, 201601, "200", 3, "Produktvariante A"},
    {2, 202112, "200", 3, "Gehäusebauform"},  // the 12.2021 names of the properties
    {17, 201601, "350", 6, "Minimaler Durchfluss Qmin"},
};

// Last described field of the technical data per issue; every field up to it
// has a text, so a doubled separator cannot shift the fields behind it.
const Expected kTechnicalDataEnd[] = {
    {2, 200302, "700", 24, ""},  {2, 201601, "700", 39, ""},  {2, 202112, "700", 39, ""},
    {17, 200311, "700", 25, ""}, {17, 201601, "700", 41, ""},
};

class FieldDescriptions : public ::testing::Test {
protected:
    void SetUp() override { CVDITemplate::SetFolder(vditest::descriptionFolder()); }
    CVDITemplate descriptions;
};

TEST_F(FieldDescriptions, KeyFieldsFollowTheFieldPages) {
    for (const Expected& e : kKeyFields) {
        SCOPED_TRACE(std::to_string(e.sheet) + "/" + std::to_string(e.date) + " " + e.type +
                     " field " + std::to_string(e.field));
        ASSERT_TRUE(descriptions.LoadDescriptions(e.sheet, e.date));
        const std::string text = descriptions.GetFieldDescription(e.type, e.field);
        EXPECT_EQ(text.rfind(e.start, 0), 0u) << text;
    }
}

TEST_F(FieldDescriptions, TechnicalDataHasNoGapsAndEndsWithItsIssue) {
    for (const Expected& e : kTechnicalDataEnd) {
        SCOPED_TRACE(std::to_string(e.sheet) + "/" + std::to_string(e.date));
        ASSERT_TRUE(descriptions.LoadDescriptions(e.sheet, e.date));
        for (int n = 1; n <= e.field; ++n)
            EXPECT_NE(descriptions.GetFieldDescription(e.type, n), "n.v.") << "field " << n;
        EXPECT_EQ(descriptions.GetFieldDescription(e.type, e.field + 1), "n.v.");
    }
}

}  // namespace
