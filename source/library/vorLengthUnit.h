// vorLengthUnit.h - length units, passed as plain numbers.
//
// vorLENGTH_METRE (2) is the unit the default output endpoint asks for.
#pragma once

enum vorLengthUnit {
  vorLENGTH_MILLIMETRE = 0,
  vorLENGTH_CENTIMETRE = 1,
  vorLENGTH_METRE = 2,
  vorLENGTH_INCH = 3,
  vorLENGTH_FOOT = 4,
  vorLENGTH_MICROMETRE = 5,
  vorLENGTH_KILOMETRE = 6,
  vorLENGTH_MILE = 7,
  vorLENGTH_YARD = 8
};
