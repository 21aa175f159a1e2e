#pragma once
// Units of the values the module shows and the host hands over.
//
// Inside the valve services flow is in m³/h, pressure difference in Pa,
// density in kg/m³ and kv in m³/h at 1 bar; pump data are flow in m³/s and
// head in Pa. A host shows them in the units its user chose: an
// nrvUnitSetting pairs such a base unit with the shown (target) unit and says
// how the number is printed.
//
// Codes are quantity × 1000 + a running number, so values of one quantity
// convert into each other and never into another quantity's.

#include <functional>
#include <string>
#include <string_view>

#include "kavex/platform/export.h"

enum enUnit : int {
    enUnitNone = 0,
    // length
    enUnitLength_m = 11001,
    enUnitLength_mm = 11002,
    // temperature
    enUnitTemperature_C = 12001,
    enUnitTemperature_K = 12002,
    // density
    enUnitDensity_kgm3 = 13001,
    // volume flow
    enUnitFlow_m3h = 16001,
    enUnitFlow_lh = 16002,
    enUnitFlow_ls = 16003,
    enUnitFlow_m3s = 16004,
    // mass flow
    enUnitMassFlow_kgh = 17001,
    enUnitMassFlow_kgs = 17002,
    // kv value (m³/h at 1 bar); a quantity of its own, not a flow
    enUnitKv_m3h = 18001,
    // pressure and pump head
    enUnitPressure_mbar = 19001,
    enUnitPressure_hPa = 19002,
    enUnitPressure_kPa = 19003,
    enUnitPressure_bar = 19004,
    enUnitPressure_mWS = 19005,
    enUnitPressure_Pa = 19006,
    enUnitHead_m = 19007,  // metres of water column, labelled "m" as pump heads are
};

// How a shown number is printed (always with a decimal point).
enum enUnitFormat : int {
    enUnitFormatFixed = 0,       // "%.<prec>f": 12.50
    enUnitFormatFixedTrim = 1,   // fixed, trailing zeros dropped: 12.5
    enUnitFormatGeneral = 2,     // "%.<prec>g", precision = significant digits
    enUnitFormatScientific = 3,  // "%.<prec>e"
};

// Decimals (or significant digits for enUnitFormatGeneral).
enum enUnitPrec : int {
    enUnitPrec0 = 0,
    enUnitPrec1 = 1,
    enUnitPrec2 = 2,
    enUnitPrec3 = 3,
    enUnitPrec4 = 4,
    enUnitPrec5 = 5,
    enUnitPrec6 = 6,
};

class KAVEX_API nrvUnitSetting {
public:
    // Accepts or refuses a value entered by the user, given in the base unit.
    using Validator = std::function<bool(double baseValue)>;
    // Reads the number of an entered text (without label) in the target unit;
    // replaces the default reading.
    using Parser = std::function<bool(std::string_view text, double& targetValue)>;

    nrvUnitSetting() = default;
    // `name` is the quantity ("Volumenstrom"), `shortName` its symbol ("V").
    nrvUnitSetting(std::string name, std::string shortName, enUnit base, enUnit target,
                   enUnitFormat format = enUnitFormatFixed, enUnitPrec precision = enUnitPrec2,
                   Validator validator = {}, Parser parser = {});

    const std::string& getName() const { return m_name; }
    const std::string& getShortName() const { return m_shortName; }
    enUnit getBaseUnit() const { return m_base; }
    enUnit getTargetUnit() const { return m_target; }
    // Switches the shown unit; false (and unchanged) for a unit of another quantity.
    bool setTargetUnit(enUnit target);
    enUnitFormat getFormat() const { return m_format; }
    void setFormat(enUnitFormat format) { m_format = format; }
    enUnitPrec getPrecision() const { return m_precision; }
    void setPrecision(enUnitPrec precision) { m_precision = precision; }
    const Validator& getValidator() const { return m_validator; }
    void setValidator(Validator validator) { m_validator = std::move(validator); }
    const Parser& getParser() const { return m_parser; }
    void setParser(Parser parser) { m_parser = std::move(parser); }

private:
    std::string m_name;
    std::string m_shortName;
    enUnit m_base = enUnitNone;
    enUnit m_target = enUnitNone;
    enUnitFormat m_format = enUnitFormatFixed;
    enUnitPrec m_precision = enUnitPrec2;
    Validator m_validator;
    Parser m_parser;
};

class KAVEX_API nrvUnits {
public:
    // `value` in `to`. Between units of different quantities, or with an
    // unknown code, the value comes back unchanged and `*ok` is false.
    static double unitTrans(double value, enUnit from, enUnit to, bool* ok = nullptr);
    static bool isKnownUnit(enUnit unit);
    static bool sameQuantity(enUnit a, enUnit b);

    static double base2TargetVal(double baseValue, const nrvUnitSetting& setting);
    // The value in the target unit, printed in the "C" locale as the setting says.
    static std::string base2TargetString(double baseValue, const nrvUnitSetting& setting);
    // The same followed by a blank and the unit label: "12.50 mbar".
    static std::string base2TargetStringLabeled(double baseValue, const nrvUnitSetting& setting);
    // Reads an entered number in the target unit back into the base unit.
    // Blanks around it are allowed, and a decimal comma as well as a point
    // ("1,5"); thousands separators, several commas, text around the number,
    // non-finite numbers and values the validator refuses give false, with
    // `baseValue` unchanged.
    static bool targetString2Base(double& baseValue, std::string_view text,
                                  const nrvUnitSetting& setting);
    // As targetString2Base, with an optional unit label behind the number.
    // The label may name any unit of the setting's quantity ("1 bar" in a
    // mbar field gives 100000 Pa); a label of another quantity gives false.
    static bool targetStringLabeled2Base(double& baseValue, std::string_view text,
                                         const nrvUnitSetting& setting);
    // Shown label of a unit ("m³/h", "mbar"); empty for enUnitNone or an unknown code.
    static std::string getUnitLabel(enUnit unit, bool shortForm = true);
    static std::string getUnitLabel(const nrvUnitSetting& setting);
    // The unit of `sameQuantityAs`'s quantity that `label` names; false when none.
    static bool unitFromLabel(std::string_view label, enUnit sameQuantityAs, enUnit& unit);
};
