#pragma once
// The two valve type sets: the catalogue's own valve type (sheet number × 100 +
// product kind of the VDI 3805 product record) and the host's valve kind, with
// their display texts and how they map onto each other.

#include <string>
#include <vector>

#include "kavex/platform/export.h"

namespace nrvBaseArmaturen {

// Catalogue valve type; 0 is undefined. Sheet 2 (heating) 201–221, sheet 17
// (drinking water) 1701–1722.
enum en700ArmaturTyp : int {
    en700Undefiniert = 0,
    en700THKV = 201,
    en700Verschraubung = 202,
    en700EinrohrAnschluss = 203,
    en700Strangregulierventil = 204,
    en700DDR = 205,
    en700Ueberstroemregler = 206,
    en700DFR = 207,
    en700DDRmitDFR = 208,
    en700DDRmitHubbegrenzung = 209,
    en700DDRundDFB = 210,
    en700Festwiderstand = 211,
    en700THKVmitDFB = 212,
    en700RegelarmaturAntrieb = 213,
    en700DruckunabhRegelventil = 214,
    en700Rueckschlagventil = 215,
    en700Zaehleinrichtung = 216,
    en700Messeinrichtung = 217,
    en700SechsWege = 218,
    en700Sicherheitsventil = 219,
    en700ElektrDruckunabhRegelventil = 220,
    en700SechsWegeMitDFR = 221,
    en700TwFestwiderstand = 1701,
    en700TwManuelleDrossel = 1702,
    en700TwAutomatischeDrossel = 1703,
    en700TwEntnahme = 1704,
    en700TwEntnahmeMitRFV = 1705,
    en700TwRueckflussverhinderer = 1706,
    en700TwRohrtrenner = 1707,
    en700TwDruckminderer = 1708,
    en700TwZaehler = 1709,
    en700TwMesseinrichtung = 1710,
    en700TwUeberstroemventil = 1711,
    en700TwSicherheitsventil = 1712,
    en700TwRingleitung = 1713,
    en700TwRegelungAntrieb = 1714,
    en700TwElektronischeRegulierung = 1722,
};

// The host's valve kind: 4445–4460 heating, 5556–5573 drinking water,
// 6667–6675 air-duct parts, 6666 all kinds.
enum enArmaturenTyp : int {
    enArmNone = -1,
    enHzAllgemein = 4445,
    enHzTHKV = 4446,
    enHzRLV = 4447,
    enHzStrangDrossel = 4448,
    enHzStrangAbsperrung = 4449,
    enHzDDR = 4450,
    enHzDifferenzdruckgeber = 4451,
    enHzDFR = 4452,
    enHzDreiwegeMisch = 4453,
    enHzDDRDFR = 4454,
    enHzDreiwegeVerteil = 4455,
    enHzZweiwegeRegel = 4456,
    enHzEinrohr = 4457,
    enHzRueckschlag = 4458,
    enHzSechsWege = 4459,
    enHzSechsWegeDFR = 4460,
    enTwAllgemein = 5556,
    enTwStrangSTAT = 5557,
    enTwStrangTHST = 5558,
    enTwRueckflussverhinderer = 5559,
    enTwEntnahme = 5560,
    enTwEntnahmeDU = 5561,
    enTwEntnahmeWT = 5562,
    enTwEntnahmeBW = 5563,
    enTwEntnahmeSP = 5564,
    enTwEntnahmeWC = 5565,
    enTwEntnahmeUR = 5566,
    enTwEntnahmeBI = 5567,
    enTwEntnahmeRFV = 5568,
    enTwRohrtrenner = 5569,
    enTwDruckminderer = 5570,
    enTwZaehler = 5571,
    enTwVenturi = 5572,
    enTwStrangELEKT = 5573,
    enKanalAlle = 6666,
    enKanalAussengitter = 6667,
    enKanalBefeuchter = 6668,
    enKanalDurchlass = 6669,
    enKanalEinbauteil = 6670,
    enKanalEntfeuchter = 6671,
    enKanalErhitzer = 6672,
    enKanalKuehler = 6673,
    enKanalRegelorgan = 6674,
    enKanalSchalldaempfer = 6675,
};

// Display text of a catalogue type, translated. A value below 100 is a bare
// product kind and is first raised by sheet × 100.
KAVEX_API std::string getNrvArmTypeText(int value, int sheet = 2);
// Run-time class name of the valve class a catalogue type becomes; empty for
// types without a class.
KAVEX_API std::string getArmaturClassNameForType(int value);
// Type key of a host valve kind ("STRANGVENTIL", "Verbraucher", ...); empty for
// unlisted kinds.
KAVEX_API std::string mapToNRVType(int kind);
// Translated display text of a host valve kind; empty for unlisted kinds.
KAVEX_API std::string getArmaturenTypName(int kind);
// Appends the catalogue types a host kind serves, in table order, and with
// `widen` the types added when widening the choice behind them.
KAVEX_API void getVDITypenFromArmaturenTyp(int kind, std::vector<en700ArmaturTyp>& types,
                                           bool widen);
// All listed host kinds, ascending.
KAVEX_API std::vector<int> allArmaturenTypen();

}  // namespace nrvBaseArmaturen
