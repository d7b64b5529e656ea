// The bundled calls. Each bird's call is modelled on the real one: its rhythm,
// pitch range and contour, and whether it is a clear whistle, a trill, a nasal
// buzz or a harsh noisy voice. Within one set no two calls share their pitch,
// timbre and rhythm.
#include "CallTable.h"

#include "BirdSpecies.h"

#include <cmath>

namespace {

// A bird that hardly calls is heard this many LU under the others, so that it does not
// sound like a common, loud bird.
constexpr double kNearSilentLu = 10;

// The tables below are laid out by hand to read as tables.
// clang-format off

// --- Whistles -------------------------------------------------------------------------------------------
const Voice kFlute{.tone = {1, 0.06, 0.02}, .attack = 0.015, .release = 0.04};
const Voice kRinging{.tone = {1, 0.22, 0.07}, .vibratoHz = 7, .vibrato = 0.008, .attack = 0.01,
                     .release = 0.05};
const Voice kPlaintive{.tone = {1, 0.1, 0.03}, .vibratoHz = 5, .vibrato = 0.01, .attack = 0.03,
                       .release = 0.06};
const Voice kCurlew{.tone = {1, 0.18, 0.05}, .vibratoHz = 5, .vibrato = 0.006, .attack = 0.03,
                    .release = 0.08};
const Voice kThin{.tone = {1, 0.03}, .attack = 0.006, .release = 0.02};
const Voice kChip{.tone = {1, 0.25, 0.08}, .attack = 0.003, .release = 0.015};
const Voice kSoft{.tone = {1, 0.35, 0.12, 0.05}, .attack = 0.02, .release = 0.04};
const Voice kCuckoo{.tone = {1, 0.3, 0.12, 0.04}, .attack = 0.008, .release = 0.03};
const Voice kLark{.tone = {1, 0.2, 0.05}, .vibratoHz = 30, .vibrato = 0.03, .attack = 0.004, .release = 0.01};
const Voice kKestrel{.tone = {1, 0.4, 0.15}, .noise = 0.15, .attack = 0.004, .release = 0.02};
const Voice kKiteWarble{.tone = {1, 0.15, 0.04}, .vibratoHz = 11, .vibrato = 0.12, .attack = 0.02,
                        .release = 0.1};
const Voice kHarrier{.tone = {1, 0.4, 0.2, 0.1}, .noise = 0.15, .rough = 0.02, .attack = 0.02,
                     .release = 0.06};

// --- Trills: loudness pulses, most with a matching pitch wobble -----------------------------------------
const Voice kRipple{.tone = {1, 0.12, 0.03}, .vibratoHz = 20, .vibrato = 0.04, .trillHz = 20, .trill = 0.85,
                    .attack = 0.005, .release = 0.03};
const Voice kStint{.tone = {1, 0.1}, .vibratoHz = 40, .vibrato = 0.04, .trillHz = 40, .trill = 0.8,
                   .attack = 0.004, .release = 0.02};
const Voice kPloverTrill{.tone = {1, 0.2, 0.05}, .vibratoHz = 50, .vibrato = 0.03, .trillHz = 50,
                         .trill = 0.9, .attack = 0.004, .release = 0.02};
const Voice kTeal{.tone = {1, 0.3, 0.1}, .trillHz = 35, .trill = 0.9, .attack = 0.003, .release = 0.02};
const Voice kPintail{.tone = {1, 0.3, 0.1}, .vibratoHz = 25, .vibrato = 0.03, .trillHz = 25, .trill = 0.5,
                     .attack = 0.01, .release = 0.04};
const Voice kFinchTrill{.tone = {1, 0.2}, .vibratoHz = 28, .vibrato = 0.08, .trillHz = 28, .trill = 0.9,
                        .attack = 0.005, .release = 0.02};
const Voice kFinchRoll{.tone = {1, 0.2}, .vibratoHz = 16, .vibrato = 0.06, .trillHz = 16, .trill = 0.9,
                       .attack = 0.005, .release = 0.02};
const Voice kFlycatcherTrill{.tone = {1, 0.15}, .vibratoHz = 22, .vibrato = 0.1, .trillHz = 22, .trill = 0.7,
                             .attack = 0.005, .release = 0.03};

// --- Buzzy, dry and harsh voices: band noise and a rough pitch ------------------------------------------
const Voice kBuzzy{.tone = {0.7, 0.2}, .noise = 0.5, .noiseWidth = 0.3, .trillHz = 110, .trill = 0.7,
                   .attack = 0.005, .release = 0.015};
const Voice kBuzzyThin{.tone = {0.8, 0.1}, .noise = 0.4, .noiseWidth = 0.2, .trillHz = 75, .trill = 0.6,
                       .attack = 0.01, .release = 0.04};
const Voice kSwallowRattle{.tone = {0.8, 0.3}, .noise = 0.5, .noiseWidth = 0.4, .trillHz = 40, .trill = 0.8,
                           .attack = 0.01, .release = 0.03};
const Voice kWheeze{.tone = {1, 0.3, 0.1}, .noise = 0.4, .noiseWidth = 0.3, .trillHz = 60, .trill = 0.4,
                    .attack = 0.02, .release = 0.06};
const Voice kDunlin{.tone = {0.6, 0.3}, .noise = 0.6, .noiseWidth = 0.3, .trillHz = 70, .trill = 0.6,
                    .rough = 0.04, .attack = 0.01, .release = 0.04};
const Voice kChat{.noise = 1, .noiseWidth = 0.8, .attack = 0.002, .release = 0.02, .decay = 25};
const Voice kThrush{.tone = {0.2}, .noise = 1, .noiseWidth = 0.8, .attack = 0.003, .release = 0.02,
                    .decay = 15};
const Voice kTurnstone{.tone = {1, 0.4, 0.2, 0.1}, .noise = 0.3, .attack = 0.003, .release = 0.012};
const Voice kPhalarope{.tone = {1, 0.3, 0.1}, .noise = 0.2, .attack = 0.003, .release = 0.015};
const Voice kSaundersGull{.tone = {1, 0.4, 0.2}, .noise = 0.25, .rough = 0.02, .attack = 0.006,
                          .release = 0.03};
const Voice kLapwing{.tone = {1, 0.5, 0.3, 0.15}, .noise = 0.25, .noiseWidth = 0.5, .rough = 0.04,
                     .attack = 0.004, .release = 0.03};
const Voice kLapwingRoll{.tone = {1, 0.5, 0.3, 0.15}, .noise = 0.25, .noiseWidth = 0.5, .trillHz = 35,
                         .trill = 0.5, .rough = 0.04, .attack = 0.004, .release = 0.03};
const Voice kTernSmall{.tone = {1, 0.35, 0.15}, .noise = 0.35, .noiseWidth = 0.3, .rough = 0.02,
                       .attack = 0.004, .release = 0.02};
const Voice kTern{.tone = {0.5, 0.6, 0.4, 0.2}, .noise = 0.8, .noiseWidth = 0.6, .rough = 0.05,
                  .attack = 0.01, .release = 0.05};
const Voice kShrike{.tone = {0.8, 0.5, 0.3, 0.15}, .noise = 0.4, .rough = 0.03, .attack = 0.005,
                    .release = 0.03};
const Voice kFalcon{.tone = {0.6, 0.5, 0.35, 0.2}, .noise = 0.55, .noiseWidth = 0.5, .rough = 0.05,
                    .attack = 0.004, .release = 0.02};
const Voice kStarling{.tone = {0.3, 0.3, 0.2, 0.1}, .noise = 1, .noiseWidth = 0.7, .trillHz = 32,
                      .trill = 0.6, .rough = 0.08, .attack = 0.01, .release = 0.04};
const Voice kGull{.tone = {0.5, 0.4, 0.3, 0.2}, .buzz = 0.4, .formant1 = 2000, .formant2 = 4000, .noise = 0.7,
                  .noiseWidth = 0.6, .rough = 0.07, .attack = 0.02, .release = 0.05};

// --- Nasal voices: a tone over a formant-shaped buzz ----------------------------------------------------
const Voice kNasal{.tone = {0.6, 0.5, 0.35, 0.2}, .buzz = 0.5, .formant1 = 2200, .formant2 = 4400,
                   .attack = 0.008, .release = 0.03};
const Voice kTitNasal{.tone = {0.5, 0.5, 0.4, 0.3}, .buzz = 0.7, .formant1 = 2500, .formant2 = 5000,
                      .attack = 0.02, .release = 0.04};
const Voice kFinchNasal{.tone = {0.6, 0.5, 0.4, 0.3}, .buzz = 0.5, .formant1 = 3000, .formant2 = 6000,
                        .trillHz = 60, .trill = 0.5, .attack = 0.02, .release = 0.05};
const Voice kMew{.tone = {0.5, 0.3, 0.2}, .buzz = 0.8, .formant1 = 1400, .formant2 = 2800, .vibratoHz = 6,
                 .vibrato = 0.01, .attack = 0.04, .release = 0.12};
const Voice kMewHigh{.tone = {0.7, 0.4, 0.25, 0.1}, .buzz = 0.4, .formant1 = 2000, .formant2 = 3600,
                     .vibratoHz = 6, .vibrato = 0.01, .attack = 0.03, .release = 0.08};
const Voice kBaikal{.tone = {0.5, 0.5, 0.3}, .buzz = 0.6, .formant1 = 1000, .formant2 = 2000, .trillHz = 30,
                    .trill = 0.7, .attack = 0.01, .release = 0.03};

// --- Low voices: croaks, caws, quacks and growls --------------------------------------------------------
const Voice kHeron{.buzz = 1, .formant1 = 1300, .formant2 = 2600, .noise = 0.5, .noiseHz = 1800,
                   .noiseWidth = 1.2, .rough = 0.07, .attack = 0.015, .release = 0.06};
const Voice kEgret{.buzz = 1, .formant1 = 900, .formant2 = 1900, .noise = 1.2, .noiseHz = 2500,
                   .noiseWidth = 1.3, .rough = 0.12, .attack = 0.03, .release = 0.1};
const Voice kLittleEgret{.buzz = 1, .formant1 = 1800, .formant2 = 3200, .noise = 0.5, .noiseHz = 2400,
                         .noiseWidth = 1, .rough = 0.06, .attack = 0.015, .release = 0.05};
const Voice kCormorant{.buzz = 1, .formant1 = 500, .formant2 = 1100, .buzzTop = 4000, .noise = 0.6, .noiseHz = 800,
                       .noiseWidth = 1.2, .rough = 0.1, .attack = 0.015, .release = 0.05};
const Voice kSpoonbill{.buzz = 0.3, .formant1 = 700, .formant2 = 1600, .noise = 1, .noiseHz = 2000,
                       .noiseWidth = 1.5, .rough = 0.1, .attack = 0.03, .release = 0.1};
const Voice kGrebeBark{.buzz = 1, .formant1 = 1200, .formant2 = 2600, .noise = 0.4, .noiseHz = 1800,
                       .rough = 0.05, .attack = 0.005, .release = 0.03};
const Voice kCawClear{.tone = {0.3, 0.2}, .buzz = 1, .formant1 = 1300, .formant2 = 2600, .rough = 0.01,
                      .attack = 0.02, .release = 0.08};
const Voice kCawHoarse{.buzz = 0.8, .formant1 = 1100, .formant2 = 2200, .noise = 0.7, .noiseHz = 1500,
                       .noiseWidth = 1, .rough = 0.09, .attack = 0.02, .release = 0.08};
const Voice kBigGull{.tone = {0.3, 0.3}, .buzz = 1, .formant1 = 1100, .formant2 = 2300, .noise = 0.4,
                     .noiseHz = 1500, .noiseWidth = 1, .rough = 0.05, .attack = 0.02, .release = 0.05};
const Voice kQuack{.buzz = 1, .formant1 = 950, .formant2 = 2100, .noise = 0.15, .noiseHz = 1500,
                   .noiseWidth = 1, .rough = 0.02, .attack = 0.01, .release = 0.05};
const Voice kMallard{.buzz = 1, .formant1 = 1200, .formant2 = 2500, .noise = 0.2, .noiseHz = 1800,
                     .noiseWidth = 1, .rough = 0.03, .attack = 0.01, .release = 0.05};
const Voice kGadwall{.buzz = 1, .formant1 = 600, .formant2 = 1500, .noise = 0.3, .noiseHz = 900,
                     .noiseWidth = 1, .rough = 0.03, .attack = 0.008, .release = 0.04};
const Voice kGrowl{.buzz = 1, .formant1 = 700, .formant2 = 1600, .noise = 0.3, .noiseHz = 1000,
                   .noiseWidth = 1, .trillHz = 24, .trill = 0.8, .rough = 0.03, .attack = 0.02,
                   .release = 0.05};
const Voice kScaup{.buzz = 1, .formant1 = 1600, .formant2 = 3000, .buzzTop = 6000, .noise = 0.7, .noiseHz = 2200,
                   .noiseWidth = 1, .rough = 0.1, .attack = 0.015, .release = 0.05};

// --- Voices added for the longer calls -----------------------------------------------------------------
// A heron's croak: a loud, harsh, rasping "グワッ".
const Voice kHeronHarsh{.buzz = 1, .formant1 = 1000, .formant2 = 2300, .buzzTop = 6500, .noise = 0.4, .noiseHz = 1400,
                        .noiseWidth = 1.2, .rough = 0.08, .attack = 0.01, .release = 0.12};
// A great egret's guttural rattle: the croak pulses.
const Voice kEgretRattle{.buzz = 1, .formant1 = 650, .formant2 = 1500, .buzzTop = 5000, .noise = 0.4, .noiseHz = 1100,
                         .noiseWidth = 1.2, .trillHz = 26, .trill = 0.75, .rough = 0.12, .attack = 0.03,
                         .release = 0.12};
// A little egret's gargle at the roost: slow, bubbling pulses.
const Voice kGargle{.buzz = 1, .formant1 = 2000, .formant2 = 3600, .noise = 0.5, .noiseHz = 2000,
                    .noiseWidth = 1, .trillHz = 9, .trill = 1, .rough = 0.08, .attack = 0.02,
                    .release = 0.06};
// The greenfinch's nasal "ビィーン": a whistle wobbled so fast that it turns into a
// band of buzz, with a strong second harmonic for the nasal edge.
const Voice kNasalBuzz{.tone = {1, 0.7, 0.3, 0.1}, .vibratoHz = 120, .vibrato = 0.1, .trillHz = 120, .trill = 0.35,
                       .rough = 0.01, .attack = 0.04, .release = 0.08};
// A thrush's dry "ケケッ": a short, harmonic-rich chuck with a little noise.
const Voice kChuck{.tone = {0.7, 0.6, 0.35, 0.2}, .noise = 0.45, .noiseWidth = 0.6, .rough = 0.03,
                   .attack = 0.003, .release = 0.02, .decay = 12};
// A cormorant's gargling "グルルル" at the colony.
const Voice kCormorantRoll{.buzz = 1, .formant1 = 500, .formant2 = 1100, .buzzTop = 4000, .noise = 0.6, .noiseHz = 800,
                           .noiseWidth = 1.2, .trillHz = 12, .trill = 0.8, .rough = 0.1, .attack = 0.02,
                           .release = 0.08};
// A spoonbill's soft, low grunt at the roost.
const Voice kGrunt{.buzz = 0.8, .formant1 = 380, .formant2 = 900, .buzzTop = 1800, .noise = 0.6, .noiseHz = 500,
                   .noiseWidth = 1, .rough = 0.15, .attack = 0.04, .release = 0.08};
// A drake's soft, cooing whistle in display.
const Voice kCoo{.tone = {1, 0.2, 0.05}, .vibratoHz = 6, .vibrato = 0.01, .attack = 0.06, .release = 0.12};

// A crow's rattled "ガラララ".
const Voice kCrowRattle{.buzz = 0.8, .formant1 = 1100, .formant2 = 2200, .noise = 0.7, .noiseHz = 1500, .noiseWidth = 1,
                        .trillHz = 20, .trill = 0.9, .rough = 0.09, .attack = 0.02, .release = 0.08};
// A tufted duck's growl: higher and faster rolled than a grebe's.
const Voice kTuftedGrowl{.buzz = 1, .formant1 = 1100, .formant2 = 2400, .noise = 0.4, .noiseHz = 1400, .noiseWidth = 1,
                         .trillHz = 40, .trill = 0.9, .rough = 0.05, .attack = 0.01, .release = 0.04};

// --- Feedback sounds ------------------------------------------------------------------------------------
const Voice kChime{.tone = {1, 0.3, 0.12, 0.05}, .attack = 0.002, .release = 0.08, .decay = 7};
const Voice kBuzzer{.buzz = 1, .formant1 = 500, .formant2 = 1500, .trillHz = 14, .trill = 0.3, .attack = 0.01,
                    .release = 0.04};

// Columns of a note: voice, seconds, pitch {start, middle, end} in Hz, pause after,
// times, pitch step per repeat, random spread in octaves, level.

// --- Spring and summer ----------------------------------------------------------------------------------
const Phrase kGreyHeronOne{{kHeronHarsh, 0.45, {330, 310, 210}}};
const Phrase kGreyHeronTwo{{kHeronHarsh, 0.32, {310, 300, 230}, 0.4}, {kHeronHarsh, 0.5, {290, 280, 190}}};
const Phrase kGreenshank{{kRinging, 0.18, {2150, 2350, 2050}, 0.12, 3, 0.98}};
const Phrase kGreenshankFour{{kRinging, 0.17, {2150, 2350, 2050}, 0.11, 4, 0.98}};
const Phrase kLittleTern = repeat(3, 0.16, {{kTernSmall, 0.05, {4800, 5300, 5000}, 0.025},
                                            {kTernSmall, 0.1, {5000, 5400, 4600}}});
const Phrase kLittleTernRasp{{kTernSmall, 0.28, {4300, 4800, 3800}}};
const Phrase kCormorantCroaks{{kCormorant, 0.3, {120, 115, 100}, 0.3}, {kCormorant, 0.35, {115, 110, 95}}};
const Phrase kCormorantGargle{{kCormorantRoll, 1.4, {110, 120, 95}}};
const Phrase kGreatEgret{{kEgret, 1.0, {170, 165, 140}}};
const Phrase kLittleGrebeWhinny{{kChip, 0.07, {3300, 3900, 3800}, 0.02}, {kRipple, 1.6, {3900, 3800, 3200}}};
const Phrase kLittleGrebeLong{{kChip, 0.07, {3400, 4000, 3800}, 0.02}, {kRipple, 2.1, {4000, 3700, 3000}}};
const Phrase kPhalaropeCall = repeat(2, 0.3, {{kPhalarope, 0.05, {3600, 4000, 3700}, 0.12, 2},
                                              {kPhalarope, 0.09, {3700, 4100, 3500}}});
const Phrase kFarEasternCurlew{{kCurlew, 0.55, {1200, 1250, 1300}, 0.05}, {kCurlew, 0.5, {1350, 1550, 1400}}};
const Phrase kWhimbrel{{kRinging, 0.11, {1900, 2400, 2300}, 0.05},
                       {kRinging, 0.065, {2450, 2500, 2350}, 0.045, 6, 0.995}};
const Phrase kLittleEgretGargle{{kGargle, 0.9, {560, 600, 480}}};
const Phrase kLittleEgretCroak{{kLittleEgret, 0.18, {550, 600, 450}}};
const Phrase kRedNeckedStint{{kStint, 0.1, {4200, 4600, 4300}, 0.12, 2}};
const Phrase kGreatKnot{{kSoft, 0.08, {950, 1100, 1000}, 0.09, 2}};
const Phrase kBarTailedGodwit = repeat(3, 0.22, {{kNasal, 0.07, {1500, 1650, 1450}, 0.05},
                                                 {kNasal, 0.09, {1600, 1700, 1400}}});
const Phrase kLapwingCall{{kLapwing, 0.15, {2600, 3600, 3000}, 0.25, 3, 0.98}};
const Phrase kLapwingAlarm{{kLapwing, 0.12, {1600, 1800, 1500}, 0.1, 5}};
const Phrase kSandPlover{{kPloverTrill, 0.16, {2300, 2500, 2200}, 0.4, 2}};
const Phrase kKentishPlover{{kFlute, 0.14, {2500, 3000, 3300}}};
const Phrase kKentishPloverRattle{{kStint, 0.4, {2800, 2900, 2700}}};
const Phrase kCommonSandpiper{{kThin, 0.12, {6000, 6400, 5800}, 0.05}, {kThin, 0.1, {6000, 6200, 5600}, 0.05, 4, 0.97}};
const Phrase kSwallowSong{{kChip, 0.05, {4500, 6500, 5000}, 0.03, 12, 1, 0.35},
                          {kSwallowRattle, 0.45, {2600, 2500, 2300}, 0.05},
                          {kBuzzyThin, 0.3, {4200, 4400, 4000}}};
const Phrase kTerek{{kFlute, 0.06, {1600, 1800, 1850}, 0.04, 5, 1.01}};
const Phrase kTattler = repeat(2, 0.3, {{kRinging, 0.09, {2600, 2800, 2500}, 0.03},
                                        {kRinging, 0.28, {2700, 3200, 3400}}});
const Phrase kSpottedRedshank{{kFlute, 0.08, {3300, 3500, 3000}, 0.015}, {kFlute, 0.1, {3200, 4000, 4400}}};
const Phrase kGreyPlover{{kPlaintive, 0.25, {2700, 2800, 2600}, 0.02}, {kPlaintive, 0.2, {2000, 1900, 1950}, 0.02},
                         {kPlaintive, 0.32, {2150, 2450, 2600}}};
const Phrase kTurnstoneRattle{{kTurnstone, 0.04, {1900, 2150, 1850}, 0.025, 12, 0.99}};
const Phrase kTurnstoneShort{{kPhalarope, 0.06, {2100, 2400, 2000}, 0.1}, {kTurnstone, 0.04, {1900, 2150, 1850}, 0.025, 7, 0.99}};
const Phrase kBlueFlycatcherA{{kFlute, 0.35, {3600, 3700, 3500}, 0.03},
                              {kFlute, 0.09, {3200, 3400, 3000}, 0.02, 3, 0.96},
                              {kFlute, 0.15, {2600, 2400, 2500}, 0.02},
                              {kFlute, 0.3, {3000, 4200, 4000}, 0.08},
                              {kBuzzy, 0.1, {3500, 3600, 3400}, 0.03, 2}};
const Phrase kBlueFlycatcherB{{kFlute, 0.3, {4200, 4300, 4000}, 0.05},
                              {kFlute, 0.12, {3400, 3800, 3300}, 0.03, 2, 0.95},
                              {kFlute, 0.25, {2500, 3200, 3600}, 0.08},
                              {kBuzzy, 0.1, {3300, 3400, 3200}, 0.03, 2}};
const Phrase kArcticWarbler{{kBuzzy, 0.15, {3000, 3400, 3100}, 0.07, 5, 1, 0.04}};
const Phrase kGreatTit = repeat(3, 0.14, {{kThin, 0.05, {6200, 6500, 6000}, 0.06, 2}, {kThin, 0.18, {4300, 4400, 4200}}});
const Phrase kSkylarkWarble{{kLark, 0.05, {3000, 4200, 3500}, 0.012, 26, 1, 0.5}};
const Phrase kSkylarkRepeats{{kLark, 0.06, {3600, 4300, 3400}, 0.02, 9, 1.01}};
const Phrase kSkylarkPairs = repeat(4, 0.05, {{kThin, 0.16, {3800, 4000, 3900}, 0.02}, {kChip, 0.05, {4800, 5300, 4500}, 0.02, 2}});
const Phrase kWagtail = repeat(2, 0.3, {{kChip, 0.06, {4000, 4600, 4000}, 0.04}, {kChip, 0.08, {4400, 4000, 3500}}});
const Phrase kStarlingTwo{{kStarling, 0.3, {1900, 2100, 1800}, 0.2, 2}};
const Phrase kStarlingThree{{kStarling, 0.2, {2100, 2300, 1900}, 0.12, 3}};
const Phrase kGreenfinchSong{{kFinchTrill, 0.35, {3800, 4200, 4000}, 0.08},
                             {kFinchRoll, 0.35, {2700, 2900, 2600}, 0.1},
                             {kNasalBuzz, 0.65, {2600, 3300, 3200}}};
const Phrase kGreenfinchShort{{kFinchRoll, 0.3, {2800, 3000, 2700}, 0.06, 2}, {kNasalBuzz, 0.6, {2650, 3250, 3150}}};
const Phrase kCisticolaRise{{kThin, 0.06, {3800, 4000, 3900}, 0.42, 6, 1.005}};
const Phrase kCisticolaDive{{kChat, 0.06, {3500, 3500, 3500}, 0.2, 4}};
const Phrase kShrikeCall{{kShrike, 0.2, {4000, 4600, 4200}, 0.08}, {kShrike, 0.05, {4200, 4500, 4000}, 0.035, 6}};
const Phrase kBuntingIppitsu{{kChip, 0.05, {4800, 5100, 4700}, 0.12},            // 一
                             {kFlute, 0.06, {6000, 5600, 5000}, 0.05},           // 筆
                             {kFlute, 0.13, {3700, 3600, 3500}, 0.08},
                             {kFlute, 0.1, {5400, 5000, 4600}, 0.04},            // 啓上
                             {kFlute, 0.17, {3900, 3800, 3600}, 0.09},
                             {kChip, 0.045, {5000, 5400, 4800}, 0.03, 4, 0.98},  // 仕り
                             {kFlute, 0.12, {3400, 3500, 3300}, 0.05},           // 候
                             {kRipple, 0.3, {4300, 4200, 4000}}};
const Phrase kBuntingGenpei{{kFlute, 0.09, {5200, 5500, 5000}, 0.07},            // 源平
                            {kFlute, 0.14, {3800, 3700, 3600}, 0.08},
                            {kChip, 0.05, {4600, 5000, 4500}, 0.035, 3},         // つつじ
                            {kFlute, 0.12, {4400, 4000, 3900}, 0.08},            // 白
                            {kChip, 0.05, {5000, 5300, 4800}, 0.035, 3},         // つつじ
                            {kFlute, 0.2, {3300, 3400, 3200}}};
const Phrase kCarrionCrow{{kCawHoarse, 0.6, {430, 470, 380}, 0.6, 2, 0.98}};
const Phrase kJungleCrow{{kCawClear, 0.3, {620, 700, 560}, 0.32, 3}};
const Phrase kJungleCrowFour{{kCawClear, 0.28, {640, 720, 580}, 0.3, 4, 0.99}};
const Phrase kCuckooSong{{kCuckoo, 0.15, {2500, 3100, 2700}, 0.12},   // 特 (キョッ)
                         {kCuckoo, 0.11, {2600, 3100, 2650}, 0.05},   // 許
                         {kCuckoo, 0.08, {2700, 3200, 2800}, 0.03, 3, 1.02}}; // 許可局 (キョキョキョ)
const Phrase kNarcissusPiccolo = repeat(2, 0.2, {{kFlute, 0.12, {2300, 2700, 2500}, 0.03},
                                                 {kFlycatcherTrill, 0.3, {2000, 2200, 1900}}});
const Phrase kNarcissusPopiri = repeat(3, 0.1, {{kFlute, 0.1, {1800, 1900, 1800}, 0.03},
                                                {kChip, 0.06, {3000, 3300, 2900}, 0.02},
                                                {kFlute, 0.12, {2500, 2700, 2400}}});
const Phrase kBlackHeadedGull{{kGull, 0.5, {1250, 1550, 1050}}};
const Phrase kBlackHeadedGullShort{{kGull, 0.18, {1300, 1450, 1100}, 0.12, 2}};
const Phrase kCommonTern{{kTern, 0.55, {3000, 3300, 2200}}};
const Phrase kCommonTernLead{{kTernSmall, 0.06, {3600, 3800, 3500}, 0.1, 2}, {kTern, 0.5, {3000, 3300, 2200}}};
const Phrase kCrestedGrebeBarks{{kGrebeBark, 0.12, {380, 400, 340}, 0.08, 5}};
const Phrase kCrestedGrebeGrowl{{kGrowl, 0.7, {350, 380, 300}}};

// --- Autumn and winter ----------------------------------------------------------------------------------
const Phrase kRedstart{{kThin, 0.12, {5400, 5800, 5700}, 0.25, 2}, {kChat, 0.03, {2500, 2500, 2500}, 0.08, 2}};
const Phrase kReedBunting{{kThin, 0.05, {5000, 5500, 5200}, 0.01}, {kBuzzyThin, 0.35, {6000, 5400, 4200}}};
const Phrase kWhiteEyeCalls{{kThin, 0.22, {5600, 5900, 5500}, 0.25, 2}};
const Phrase kWhiteEyeTwitter{{kChip, 0.045, {4000, 5200, 4600}, 0.015, 24, 1, 0.3}};
const Phrase kVariedTit{{kTitNasal, 0.24, {2500, 2650, 2500}, 0.1, 3}};
const Phrase kLongTailedTit{{kThin, 0.05, {7300, 7700, 7200}, 0.04, 3}, {kBuzzyThin, 0.35, {3300, 3600, 3100}, 0.08, 2}};
const Phrase kDuskyThrushChuck{{kChuck, 0.06, {2300, 2500, 2100}, 0.05, 2}};
const Phrase kDuskyThrushKwa{{kChuck, 0.09, {1000, 1200, 900}, 0.16, 2}};
const Phrase kBlackTailedGodwit = repeat(3, 0.12, {{kNasal, 0.09, {1200, 1600, 1750}, 0.01},
                                                   {kNasal, 0.06, {1700, 1450, 1300}}});
const Phrase kBlackNeckedGrebe{{kFlute, 0.35, {1500, 2000, 2700}}};
const Phrase kEurasianCurlew{{kCurlew, 0.35, {1500, 1550, 1700}, 0.03}, {kCurlew, 0.6, {1800, 2400, 2250}}};
const Phrase kEurasianCurlewWhistles{{kCurlew, 0.12, {1900, 2200, 2100}, 0.06, 3}};
const Phrase kSaundersGullCall{{kSaundersGull, 0.12, {3400, 4000, 3700}, 0.15, 3}};
const Phrase kMewGullMew{{kMewHigh, 0.4, {2100, 2500, 2200}, 0.25, 2}};
const Phrase kMewGullLong{{kMewHigh, 0.45, {2100, 2500, 2200}, 0.1}, {kMewHigh, 0.1, {2300, 2500, 2200}, 0.05, 4}};
const Phrase kDunlinCall{{kDunlin, 0.3, {3800, 4000, 3300}}};
const Phrase kDunlinTwo{{kDunlin, 0.25, {3800, 4000, 3300}, 0.15, 2}};
const Phrase kBlackTailedGull{{kMew, 0.7, {650, 1000, 700}, 0.2}, {kMew, 0.45, {700, 950, 750}}};
const Phrase kSlatyBackedGull{{kBigGull, 0.35, {550, 700, 500}, 0.1, 2}, {kBigGull, 0.16, {600, 650, 550}, 0.08, 4}};
const Phrase kTealCall{{kTeal, 0.12, {2500, 2750, 2450}, 0.13, 2}};
const Phrase kTuftedDuck{{kTuftedGrowl, 0.45, {500, 530, 460}}};
const Phrase kScaupCoo{{kCoo, 0.35, {700, 850, 650}, 0.25, 2}};
const Phrase kScaupRasp{{kScaup, 0.35, {500, 520, 440}}};
const Phrase kPintailCall{{kPintail, 0.18, {1300, 1500, 1300}, 0.3, 2}};
const Phrase kPintailWheeze{{kPintail, 0.18, {1300, 1500, 1300}, 0.2}, {kWheeze, 0.35, {1400, 1700, 1500}}};
const Phrase kGadwallCall{{kGadwall, 0.1, {220, 240, 200}, 0.15, 2}};
const Phrase kGadwallWhistle{{kGadwall, 0.1, {220, 240, 200}, 0.12}, {kFlute, 0.08, {1200, 1350, 1150}}};
const Phrase kBaikalTeal{{kBaikal, 0.12, {700, 750, 650}, 0.2, 3}};
const Phrase kSpotBilledDuck{{kQuack, 0.25, {320, 340, 280}, 0.4, 2}};
const Phrase kMallardCall{{kMallard, 0.3, {280, 300, 260}, 0.12},
                      Note{.voice = kMallard, .seconds = 0.16, .hz = {270, 280, 240}, .pause = 0.1, .times = 5,
                           .step = 0.96, .level = 0.8, .quicken = 0.9}};
const Phrase kPeregrine{{kFalcon, 0.08, {2100, 2500, 2000}, 0.07, 7}};
const Phrase kKestrelCall{{kKestrel, 0.07, {3100, 3400, 3000}, 0.05, 9}};
const Phrase kOsprey{{kFlute, 0.14, {2000, 2600, 2800}, 0.16, 6, 1.01}};
const Phrase kKite{{kRinging, 0.7, {2400, 2600, 2500}, 0.05}, {kKiteWarble, 1, {2300, 2000, 1500}}};
const Phrase kHarrierCall{{kHarrier, 0.55, {3800, 4200, 3300}}};
const Phrase kSpoonbillGrunt{{kGrunt, 0.18, {95, 105, 85}}};
const Phrase kSpoonbillGrunts{{kGrunt, 0.15, {100, 110, 90}, 0.35}, {kGrunt, 0.2, {95, 100, 80}, 0, 1, 1, 0, 0.8}};
const Phrase kFalcatedDuck{{kFlute, 0.1, {1200, 1400, 1300}, 0.08, 2}, {kWheeze, 0.4, {1500, 1900, 1700}}};

// --- Second calls, and the calls remade to follow the real bird more closely ------------------------------
// The cuckoo's explosive "キョッ": full at once, then falling in pitch and loudness.
const Voice kCuckooShout{.tone = {1, 0.45, 0.2, 0.08}, .noise = 0.12, .attack = 0.002, .release = 0.03,
                         .decay = 5};
// A female cuckoo's bubbling "ピピピピ".
const Voice kBubble{.tone = {1, 0.25, 0.06}, .vibratoHz = 14, .vibrato = 0.05, .trillHz = 14, .trill = 0.9,
                    .attack = 0.005, .release = 0.03};
// A gull's mewing: nasal, many harmonics over a formant-shaped buzz, a slow waver.
const Voice kMewNasal{.tone = {0.5, 0.45, 0.35, 0.25}, .buzz = 0.9, .formant1 = 1900, .formant2 = 3800,
                      .vibratoHz = 5, .vibrato = 0.012, .rough = 0.01, .attack = 0.05, .release = 0.12};
// The spoonbill's breathy snort: mostly air, a little low voice under it.
const Voice kSnort{.buzz = 0.25, .formant1 = 500, .formant2 = 1200, .buzzTop = 2500, .noise = 1, .noiseHz = 900,
                   .noiseWidth = 1.4, .rough = 0.2, .attack = 0.01, .release = 0.06, .decay = 6};
// A warbler's dry buzz: a fast rattle over a narrow band.
const Voice kWarblerBuzz{.tone = {0.6, 0.2}, .noise = 0.55, .noiseWidth = 0.25, .trillHz = 140, .trill = 0.8,
                         .attack = 0.004, .release = 0.012};
// A small bird's thin buzzing contact call.
const Voice kTitBuzz{.tone = {0.5, 0.15}, .noise = 0.6, .noiseWidth = 0.2, .trillHz = 90, .trill = 0.7,
                     .attack = 0.006, .release = 0.02};
// A dry "ジャッ" that does not snap off as short as a "チャッ".
const Voice kChatSoft{.noise = 1, .noiseWidth = 0.8, .attack = 0.005, .release = 0.02, .decay = 8};
// A duck's soft nasal call, higher and thinner than a quack.
const Voice kDuckNasal{.tone = {0.4, 0.4, 0.3, 0.2}, .buzz = 0.8, .formant1 = 1500, .formant2 = 3000,
                       .rough = 0.02, .attack = 0.008, .release = 0.04};
// A falcon's drawn-out wail.
const Voice kWail{.tone = {0.8, 0.5, 0.3, 0.15}, .noise = 0.3, .noiseWidth = 0.4, .rough = 0.03,
                  .attack = 0.02, .release = 0.08};

// 聞きなし-led phrases of the first calls.
const Phrase kPhalaropeKit{{kPhalarope, 0.05, {3700, 4100, 3800}, 0.35}, {kPhalarope, 0.05, {3600, 4000, 3700}}};
const Phrase kPhalaropeKitKit{{kPhalarope, 0.05, {3700, 4100, 3800}, 0.12, 2}};
const Phrase kFarEasternCurlewLong{{kCurlew, 0.6, {1150, 1200, 1220}, 0.04}, {kCurlew, 0.75, {1280, 1420, 1300}}};
const Phrase kGreatKnotKu{{kSoft, 0.09, {900, 950, 780}, 0.11, 2}};
const Phrase kKentishPrrit{{kStint, 0.07, {2600, 2700, 2650}, 0}, {kFlute, 0.07, {2700, 3000, 3200}, 0.25},
                           {kStint, 0.07, {2600, 2700, 2650}, 0}, {kFlute, 0.07, {2700, 3000, 3200}}};
const Phrase kTerekHoi{{kFlute, 0.08, {1500, 1750, 1800}, 0.05, 4, 1.01}};
const Phrase kGreyPloverPeeoee{{kPlaintive, 0.28, {2700, 2800, 2600}, 0.02},
                               {kPlaintive, 0.22, {2000, 1900, 1950}, 0.02},
                               {kPlaintive, 0.34, {2150, 2450, 2600}}};
const Phrase kArcticWarblerMotif = repeat(4, 0.13, {{kWarblerBuzz, 0.08, {2700, 3100, 3500}, 0.035},
                                                    {kWarblerBuzz, 0.07, {4100, 3800, 3100}, 0.03},
                                                    {kWarblerBuzz, 0.05, {3300, 3350, 3300}}});
// The shrike's spring song: a quiet ギチギチ between borrowed whistles of other birds.
const Phrase kShrikeWarble{{kShrike, 0.08, {2600, 2800, 2500}, 0.08, 4, 0.99},
                           {kFlute, 0.3, {2000, 2100, 1700}, 0.1},    // a borrowed "ピーヨ"
                           {kShrike, 0.08, {2600, 2800, 2500}, 0.08, 3, 0.99}};
const Phrase kShrikeGichi{{kShrike, 0.08, {2700, 2900, 2600}, 0.08, 5, 0.99},
                          {kFlute, 0.12, {1600, 1900, 1800}, 0.06, 2}, // a borrowed "ホイ ホイ"
                          {kShrike, 0.08, {2700, 2900, 2600}, 0.08, 3}};
const Phrase kShrikeKiiKichi{{kShrike, 0.35, {4100, 4700, 4300}, 0.08}, {kShrike, 0.05, {4200, 4500, 4000}, 0.035, 6}};
const Phrase kCuckooKyokkyo{{kCuckooShout, 0.24, {3300, 3100, 2400}, 0.16, 1, 1, 0, 1},        // 特 (キョッ)
                            {kCuckooShout, 0.17, {3300, 3150, 2500}, 0.1, 1, 1, 0, 0.85},      // 許
                            {kCuckooShout, 0.12, {3400, 3200, 2600}, 0.06, 3, 0.99, 0, 0.8}};  // 許可局
const Phrase kNarcissusKokoro{{kFlute, 0.12, {2300, 2700, 2500}, 0.03}, {kFlycatcherTrill, 0.32, {2000, 2200, 1900}}};
const Phrase kNarcissusPoppiriri{{kFlute, 0.1, {1800, 1900, 1800}, 0.05}, {kChip, 0.06, {3000, 3300, 2900}, 0.02},
                                 {kFlycatcherTrill, 0.3, {2700, 2600, 2400}}};
const Phrase kNarcissusOshi{{kFlute, 0.3, {3600, 3700, 3500}, 0.05}, {kChip, 0.07, {4200, 4000, 3900}, 0.05, 5}};
const Phrase kNarcissusPiiri{{kFlute, 0.25, {3000, 3100, 2900}, 0.03}, {kRipple, 0.2, {2600, 2500, 2400}, 0.15},
                             {kFlute, 0.25, {3000, 3100, 2900}, 0.03}, {kRipple, 0.2, {2600, 2500, 2400}}};
const Phrase kNarcissusHoi{{kFlute, 0.15, {1500, 1800, 1900}, 0.08}, {kChip, 0.05, {4000, 4300, 3900}, 0.06, 2}};
const Phrase kCommonTernKeeArr{{kTern, 0.6, {3000, 3300, 2100}}};
const Phrase kLongTailedTitCall{{kThin, 0.06, {6800, 7400, 6900}, 0.05, 3}, {kTitBuzz, 0.3, {4800, 5300, 4600}, 0.08, 2}};
const Phrase kMewGullKyu{{kMewNasal, 0.45, {1800, 2200, 1700}, 0.3, 2}};
const Phrase kMewGullLongCall{{kMewNasal, 0.5, {1900, 2300, 1900}, 0.1}, {kMewNasal, 0.11, {2100, 2300, 2000}, 0.05, 4}};
const Phrase kEurasianCurlewRise{{kCurlew, 0.35, {1500, 1550, 1700}, 0.03}, {kCurlew, 0.4, {1800, 2200, 2100}, 0.02},
                                 {kCurlew, 0.35, {2150, 2350, 2450}}};
const Phrase kTealPrip{{kChip, 0.07, {3300, 3900, 3600}, 0.3, 5}};
const Phrase kScaupGarr{{kScaup, 0.4, {480, 520, 430}, 0.3, 2}};
const Phrase kScaupHoo{{kCoo, 0.4, {700, 850, 650}, 0.3, 2}};
const Phrase kSpoonbillSnort{{kSnort, 0.12, {160, 170, 140}}};

// Second calls.
const Phrase kGreyHeronColony{{kHeron, 0.12, {260, 280, 230}, 0.14, 4, 0.98}};
const Phrase kGreenshankAlarm{{kChip, 0.05, {2100, 2300, 1900}, 0.15, 3}};
const Phrase kLittleTernRasps{{kTernSmall, 0.28, {4300, 4800, 3800}, 0.35, 2}};
const Phrase kGreatEgretCroak{{kHeronHarsh, 0.22, {230, 240, 190}, 0.45, 2}};
const Phrase kLittleGrebeKere{{kChip, 0.1, {3000, 3500, 2800}, 0.3, 2}};
const Phrase kPhalaropeJu{{kDunlin, 0.07, {2500, 2700, 2300}, 0.2, 2}};
const Phrase kFarEasternCurlewAlarm{{kCurlew, 0.1, {1300, 1450, 1300}, 0.09, 5, 0.99}};
const Phrase kWhimbrelPi{{kRinging, 0.07, {2500, 2600, 2400}, 0.05, 3}};
const Phrase kStintChi{{kThin, 0.03, {5200, 5600, 5000}, 0.18, 2}};
const Phrase kGreatKnotKuru{{kPintail, 0.14, {1000, 1150, 950}, 0.2, 2}};
const Phrase kGodwitKiri{{kNasal, 0.05, {2100, 2400, 2200}, 0.01}, {kNasal, 0.07, {2300, 2500, 2000}, 0.4},
                         {kNasal, 0.05, {2100, 2400, 2200}, 0.01}, {kNasal, 0.07, {2300, 2500, 2000}}};
const Phrase kSandPloverKuri{{kPloverTrill, 0.3, {2600, 2800, 2400}, 0.25, 2}};
const Phrase kKentishPwit{{kFlute, 0.14, {2500, 3000, 3300}}};
const Phrase kSandpiperSong{{kThin, 0.04, {5600, 6100, 5500}, 0.02, 6}, {kThin, 0.2, {6200, 6300, 5800}, 0.08}};
const Phrase kSwallowChubi{{kChip, 0.04, {4000, 4800, 4200}, 0.02}, {kChip, 0.05, {3800, 3400, 3600}}};
const Phrase kTerekPiri{{kRipple, 0.35, {2900, 3100, 2800}, 0.06}, {kChip, 0.04, {3200, 3400, 3000}}};
const Phrase kTattlerAlarm{{kRinging, 0.05, {2900, 3100, 2800}, 0.05, 6, 0.99}};
const Phrase kSpottedRedshankChip{{kChip, 0.05, {3400, 3600, 3200}, 0.25, 2}};
const Phrase kGreyPloverPyuii{{kPlaintive, 0.3, {2400, 2500, 2100}, 0.02}, {kPlaintive, 0.35, {2100, 2400, 2600}}};
const Phrase kTurnstoneKyu{{kTurnstone, 0.05, {2300, 2500, 2100}, 0.2, 2}};
const Phrase kBlueFlycatcherCall{{kThin, 0.08, {5000, 5200, 5000}, 0.15}, {kChat, 0.03, {2500, 2500, 2500}, 0.08, 2}};
const Phrase kArcticWarblerCall{{kWarblerBuzz, 0.08, {3100, 3300, 3000}, 0.03, 2}};
const Phrase kGreatTitJuku{{kThin, 0.05, {6000, 6300, 5800}, 0.03}, {kTitBuzz, 0.12, {3800, 4000, 3700}, 0.04, 3}};
const Phrase kSkylarkChirrup{{kLark, 0.1, {3000, 3600, 3200}, 0.02}, {kChip, 0.05, {3800, 3300, 3400}}};
const Phrase kWagtailSong{{kThin, 0.05, {5400, 6000, 5600}, 0.04, 3}, {kChip, 0.12, {4800, 5400, 5000}, 0.08, 2},
                          {kThin, 0.05, {5600, 6100, 5700}, 0.04, 2}};
const Phrase kStarlingAlarm{{kStarling, 0.12, {2600, 2800, 2400}, 0.05, 5, 1, 0.15}};
const Phrase kGreenfinchCall{{kFinchTrill, 0.2, {3800, 4200, 4000}, 0.1}, {kFinchRoll, 0.22, {2700, 2900, 2600}}};
const Phrase kCisticolaJa{{kChatSoft, 0.1, {2000, 2000, 2000}, 0.25, 3}};
const Phrase kBuntingChichi{{kChip, 0.04, {6000, 6500, 5800}, 0.03, 2}};
const Phrase kCarrionCrowRattle{{kCawHoarse, 0.15, {450, 480, 400}, 0.1}, {kCrowRattle, 0.6, {430, 450, 380}}};
const Phrase kJungleCrowAh{{kCawClear, 0.12, {700, 760, 650}, 0.12, 4}};
const Phrase kCuckooBubble{{kBubble, 1.1, {2200, 2600, 2000}}};
const Phrase kNarcissusCall{{kFinchRoll, 0.25, {1900, 2000, 1800}, 0.35}, {kChip, 0.04, {3600, 3800, 3500}}};
const Phrase kCommonTernKit{{kTernSmall, 0.06, {3600, 3800, 3500}, 0.12, 3}};
const Phrase kRedstartSong{{kFlute, 0.07, {3300, 3800, 3500}, 0.025, 7, 1, 0.3}, {kRipple, 0.3, {3600, 3400, 3200}}};
const Phrase kReedBuntingSong{{kChip, 0.06, {3300, 3600, 3200}, 0.18, 2}, {kBuzzyThin, 0.4, {3900, 3600, 3000}}};
const Phrase kVariedTitSong{{kFlute, 0.28, {3200, 3300, 3200}, 0.06, 2}, {kFlute, 0.35, {4200, 4400, 4200}}};
const Phrase kLongTailedTitBuzz{{kTitBuzz, 0.25, {4700, 5200, 4500}, 0.15, 3}};
const Phrase kBlackTailedGodwitKek{{kNasal, 0.05, {1900, 2100, 1800}, 0.35, 2}};
const Phrase kBlackNeckedGrebeTrill{{kRipple, 0.45, {3300, 3600, 3100}, 0.3, 2}};
const Phrase kSaundersGullKit{{kTernSmall, 0.04, {3800, 4100, 3700}, 0.07, 6}};
const Phrase kDunlinTrill{{kDunlin, 1.4, {3400, 3200, 2600}}};
const Phrase kBlackTailedGullKwa{{kMew, 0.2, {700, 800, 650}, 0.2, 3}};
const Phrase kSlatyBackedGullGagaga{{kBigGull, 0.08, {500, 550, 450}, 0.06, 5}};
const Phrase kTealQuack{{kDuckNasal, 0.12, {800, 900, 700}, 0.2, 3}};
const Phrase kTuftedDuckWhistle{{kCoo, 0.2, {1000, 1150, 900}, 0.4, 2}};
const Phrase kPintailWhistle{{kPintail, 0.18, {1300, 1500, 1300}, 0.3, 2}};
const Phrase kPintailWheezeAlone{{kWheeze, 0.45, {1400, 1700, 1500}}};
const Phrase kGadwallGe{{kGadwall, 0.1, {220, 240, 200}, 0.15, 2}};
const Phrase kGadwallPyu{{kFlute, 0.1, {1200, 1350, 1150}, 0.2, 2}};
const Phrase kBaikalTealQuack{{kDuckNasal, 0.2, {550, 600, 500}, 0.3}};
const Phrase kSpotBilledDuckSeries{{kQuack, 0.2, {380, 400, 340}, 0.2, 3, 0.96}};
const Phrase kMallardDrake{{kDuckNasal, 0.15, {330, 360, 300}}};
const Phrase kPeregrineWail{{kWail, 0.5, {1800, 2200, 1700}}};
const Phrase kKestrelWhine{{kWail, 0.4, {3000, 3300, 2800}, 0.2, 2}};
const Phrase kOspreyAlarm{{kFlute, 0.06, {2200, 2600, 2400}, 0.04, 8, 1.005}};
const Phrase kKiteWhistle{{kRinging, 1.1, {2300, 2600, 2400}}};
const Phrase kHarrierChatter{{kKestrel, 0.07, {2600, 2800, 2500}, 0.08, 5}};
const Phrase kFalcatedDuckQuack{{kQuack, 0.25, {520, 560, 470}, 0.35, 3, 0.97}};

// clang-format on

} // namespace

Phrase repeat(int times, double gap, std::initializer_list<Note> motif)
{
    Phrase notes;
    for (int i = 0; i < times; ++i) {
        notes.insert(notes.end(), motif);
        // The gap follows only the last repeat of a repeated note.
        if (Note& last = notes.back(); last.times > 1) {
            Note final = last;
            final.times = 1;
            for (double& hz : final.hz)
                hz *= std::pow(last.step, last.times - 1);
            --last.times;
            notes.push_back(final);
        }
        notes.back().pause += gap;
    }
    return notes;
}

// The transcriptions are the ones Japanese field guides print (日本野鳥の会『フィールドガイド
// 日本の野鳥』, 『日本の野鳥 (山溪ハンディ図鑑)』); length, pitch and rhythm follow their notes
// and the recordings of the sound guides (蒲谷鶴彦・松田道生『日本野鳥大鑑 鳴き声420』).
// Birds in both season sets use the same phrases; each file has its own seed, so
// the two files differ in every take.
// Columns: file, kind of call, 聞きなし, notes, phrases, gap, and for a bird rarely heard, how much quieter.
// clang-format off
const std::vector<Call>& birdCalls()
{
    static const std::vector<Call> calls{
        // Spring and summer
        {"k1", "地鳴き 飛翔", "「グワッ」「ギャッ」", "太く濁った大声を一声か二声、主に飛びながら",
         {kGreyHeronOne, kGreyHeronTwo, kGreyHeronOne}, 2.4},
        {"k1-2", "地鳴き", "「ゴッ ゴッ ゴッ」", "コロニーで短く低い声を続ける", {kGreyHeronColony}, 2.0},
        {"k2", "飛翔", "「チョーチョーチョー」", "よく通る澄んだ声を三声ほど続ける", {kGreenshank, kGreenshankFour}, 1.7},
        {"k2-2", "警戒", "「チョチョチョチョ」", "短く切った声を速く続ける", {kGreenshankAlarm}, 1.4},
        {"k3", "地鳴き 飛翔", "「キリッ キリッ」", "鋭い声、飛びながら繰り返す", {kLittleTern}, 0.9},
        {"k3-2", "警戒", "「ギィッ ギィッ」", "巣に近づく者に濁った声で", {kLittleTernRasps}, 1.0},
        {"k4", "地鳴き", "「グワッ グワッ」", "低い濁声、ねぐらやコロニーで", {kCormorantCroaks}, 1.8},
        {"k4-2", "地鳴き", "「グルルル」", "コロニーで喉を鳴らす", {kCormorantGargle}, 1.8},
        {"k5", "地鳴き", "「ゴァーッ」", "低く長い、喉を鳴らすような濁声", {kGreatEgret}, 2.6},
        {"k5-2", "飛翔", "「ゴワッ ゴワッ」", "飛び立つときの短く濁った声", {kGreatEgretCroak}, 2.2},
        {"k6", "さえずり", "「キュリリリリ」", "甲高い馬のいななきのような長い尻下がりのトリル",
         {kLittleGrebeWhinny, kLittleGrebeLong}, 2.0},
        {"k6-2", "地鳴き", "「ケレッ ケレッ」", "短く硬い声", {kLittleGrebeKere}, 1.6},
        {"k7", "飛翔", "「キッ」「キッ キッ」", "短く鋭い声を不規則に", {kPhalaropeKit, kPhalaropeKitKit}, 1.3},
        {"k7-2", "地鳴き", "「ジュッ ジュッ」", "低く濁った短い声", {kPhalaropeJu}, 1.2},
        {"k8", "飛翔", "「ホーイーン」", "ダイシャクシギより低く平板で物悲しい二音節", {kFarEasternCurlewLong}, 2.2},
        {"k8-2", "警戒", "「ホイホイホイ」", "低い笛の声を速く続ける", {kFarEasternCurlewAlarm}, 1.8},
        {"k9", "飛翔", "「ホイピピピピピピ」", "七声ほどの笑うような連続音", {kWhimbrel}, 1.8},
        {"k9-2", "地鳴き", "「ピピピ」", "短い三声", {kWhimbrelPi}, 1.5},
        {"k10", "地鳴き", "「ゴアゴア」", "ねぐらで喉を鳴らす濁った声", {kLittleEgretGargle}, 1.8},
        {"k10-2", "飛翔", "「グワッ」", "飛び立ちに濁った一声", {kLittleEgretCroak}, 1.8},
        {"k11", "飛翔", "「チュリッ」", "細く短い震え声", {kRedNeckedStint}, 0.8},
        {"k11-2", "地鳴き", "「チッ チッ」", "細く短い声", {kStintChi}, 1.2},
        {"k12", "地鳴き", "「クッ クッ」", "低く柔らかい二声、あまり鳴かない", {kGreatKnotKu}, 1.9},
        {"k12-2", "飛翔", "「クルッ クルッ」", "低く転がる声", {kGreatKnotKuru}, 1.6},
        {"k13", "地鳴き", "「ケッケッ」", "鼻にかかった短い声を続ける", {kBarTailedGodwit}, 1.2},
        {"k13-2", "飛翔", "「キリッ キリッ」", "鼻にかかった二音節", {kGodwitKiri}, 1.4},
        {"k14", "警戒", "「キリッ キリッ」", "甲高くけたたましい", {kLapwingCall}, 1.0},
        {"k14-2", "警戒", "「ケケケケケケ」", "巣に近づく者に速く続ける", {kLapwingAlarm}, 1.0},
        {"k15", "飛翔", "「キュリッ」", "短く震える声", {kSandPlover}, 1.4},
        {"k15-2", "地鳴き", "「クリリッ クリリッ」", "震える声を二つ", {kSandPloverKuri}, 1.3},
        {"k16", "地鳴き", "「ピルッ ピルッ」", "短い震えに続く尻上がりの声", {kKentishPrrit}, 1.3},
        {"k16-2", "飛翔", "「ピュイッ」", "柔らかく尻上がりの一声", {kKentishPwit}, 1.3},
        {"k17", "飛翔", "「チーリーリー」", "細く高い声を尻下がりに続ける", {kCommonSandpiper}, 1.5},
        {"k17-2", "さえずり", "「チリチリチリ チー」", "細く速い声の後に長い一声", {kSandpiperSong}, 1.4},
        {"k18", "さえずり", "「土食って虫食って口渋い」", "早口のさえずりに濁った「ジュルル」と「ジー」", {kSwallowSong}, 1.0},
        {"k18-2", "地鳴き", "「チュビッ」", "飛びながら短く", {kSwallowChubi}, 1.2},
        {"k19", "飛翔", "「ホイホイホイ」", "澄んだ笛のような声を速く四声ほど", {kTerekHoi}, 1.4},
        {"k19-2", "警戒", "「ピリピリッ」", "震える声に短い一声", {kTerekPiri}, 1.3},
        {"k20", "飛翔", "「ピューイ」", "尻上がりの二音節の口笛", {kTattler}, 1.6},
        {"k20-2", "警戒", "「ピピピピピピ」", "短い笛の声を速く続ける", {kTattlerAlarm}, 1.4},
        {"k21", "飛翔", "「チュイッ」", "鋭く短い尻上がりの二音節", {kSpottedRedshank}, 1.3},
        {"k21-2", "地鳴き", "「キッ キッ」", "短く鋭い声", {kSpottedRedshankChip}, 1.5},
        {"k22", "飛翔", "「ピーオーイー」", "物悲しい三音節の口笛", {kGreyPloverPeeoee}, 2.0},
        {"k22-2", "地鳴き", "「ピューイー」", "物悲しい二音節の口笛", {kGreyPloverPyuii}, 2.0},
        {"k23", "飛翔", "「ゲレゲレゲレ」", "硬く速い連続音", {kTurnstoneRattle, kTurnstoneShort}, 1.2},
        {"k23-2", "地鳴き", "「キュッ キュッ」", "短く硬い声", {kTurnstoneKyu}, 1.3},
        {"k24", "さえずり", "「ピーリーリー ポイヒー ジジッ」", "澄んだゆっくりした歌、終わりに濁った声、一節ごとに変える",
         {kBlueFlycatcherA, kBlueFlycatcherB}, 2.0},
        {"k24-2", "地鳴き", "「ヒッ カッカッ」", "細い声に硬い声", {kBlueFlycatcherCall}, 1.4},
        {"k25", "さえずり", "「ジュリ ジュリ ジュリ」", "銭取り銭取り: 形の違う三つの濁った音を一拍に、それを繰り返す",
         {kArcticWarblerMotif}, 1.5},
        {"k25-2", "地鳴き", "「ジジッ」", "短く濁った声", {kArcticWarblerCall}, 1.3},
        {"k26", "さえずり", "「ツツピー ツツピー」", "二拍の高音と一拍の低音を繰り返す", {kGreatTit}, 1.8},
        {"k26-2", "地鳴き", "「ツピ ジュクジュク」", "細い声に濁った声を続ける", {kGreatTitJuku}, 1.4},
        {"k27", "さえずり", "「ピーチュク ピーチュク」", "上空で長く途切れなく早口にさえずる",
         {kSkylarkWarble, kSkylarkRepeats, kSkylarkPairs, kSkylarkWarble}, 0.25},
        {"k27-2", "地鳴き 飛翔", "「ビュルッ」", "飛び立ちに短く", {kSkylarkChirrup}, 1.3},
        {"k28", "飛翔", "「チュチュン チュチュン」", "波状に飛びながら", {kWagtail}, 1.1},
        {"k28-2", "さえずり", "「チチッ チュイ チュイ」", "早口で細かく変える", {kWagtailSong}, 1.5},
        {"k29", "地鳴き", "「ギュルー」「リャーリャー」", "濁ってやかましい声", {kStarlingTwo, kStarlingThree}, 1.3},
        {"k29-2", "警戒", "「キュルキュルキュル」", "濁った短い声を早口に", {kStarlingAlarm}, 1.4},
        {"k30", "さえずり", "「キリキリ コロコロ ビィーン」", "転がる声の後に鼻にかかった濁った「ビィーン」",
         {kGreenfinchSong, kGreenfinchShort}, 1.6},
        {"k30-2", "地鳴き 飛翔", "「キリリ コロロ」", "飛びながら転がる声", {kGreenfinchCall}, 1.3},
        {"k31", "さえずり", "「ヒッ ヒッ ヒッ」「チャッ チャッ チャッ」", "上昇中と下降中", {kCisticolaRise, kCisticolaDive}, 0.6},
        {"k31-2", "警戒", "「ジャッ ジャッ ジャッ」", "草の中から濁った声", {kCisticolaJa}, 1.4},
        {"k32", "さえずり", "「ギチギチ キュルキュル」", "春から夏、小声で他の鳥の声をまねて長くぐぜる",
         {kShrikeWarble, kShrikeGichi}, 1.2},
        {"k32-2", "地鳴き", "「キィー キチキチキチ」", "秋の高鳴き", {kShrikeKiiKichi}, 1.5},
        {"k33", "さえずり", "「一筆啓上仕り候」「源平つつじ白つつじ」", "二秒ほどの早口の歌を間をおいて繰り返す",
         {kBuntingIppitsu, kBuntingGenpei}, 2.4},
        {"k33-2", "地鳴き", "「チチッ」", "細く短い二声", {kBuntingChichi}, 1.5},
        {"k34", "地鳴き", "「ガー ガー」", "頭を下げて絞り出す、しわがれた濁声", {kCarrionCrow}, 2.2},
        {"k34-2", "地鳴き", "「ガッ ガラララ」", "しわがれた声を震わせる", {kCarrionCrowRattle}, 1.8},
        {"k35", "地鳴き", "「カァー カァー」", "澄んだ張りのある声", {kJungleCrow, kJungleCrowFour}, 2.0},
        {"k35-2", "警戒", "「アッ アッ アッ アッ」", "短く澄んだ声を速く", {kJungleCrowAh}, 1.6},
        {"k36", "さえずり", "「キョッキョッ キョキョキョ」", "特許許可局、テッペンカケタカ: 強い「キョッ」に始まり速い「キョキョキョ」で終わる",
         {kCuckooKyokkyo}, 1.3},
        {"k36-2", "地鳴き", "「ピピピピピ」", "雌が泡立つように続ける", {kCuckooBubble}, 1.6},
        {"k37", "さえずり", "「ピッコロロ」「ポッピリリ」「オーシツクツク」", "澄んだ声で節を変えながら歌い、他の鳥や虫の声もまねる",
         {kNarcissusKokoro, kNarcissusPoppiriri, kNarcissusOshi, kNarcissusPiiri, kNarcissusHoi}, 1.3},
        {"k37-2", "地鳴き", "「クルル ピッ」", "低く転がる声と短い一声", {kNarcissusCall}, 1.5},
        {"k38", "地鳴き", "「ギィー」", "きしむような濁った声", {kBlackHeadedGull}, 1.4},
        {"k38-2", "地鳴き", "「ギャッ ギャッ」", "短く濁った声", {kBlackHeadedGullShort}, 1.2},
        {"k39", "地鳴き 飛翔", "「キーアー」", "しわがれた尻下がりの声", {kCommonTernKeeArr}, 1.5},
        {"k39-2", "地鳴き", "「キッ キッ キッ」", "短く鋭い声", {kCommonTernKit}, 1.3},
        {"k40", "地鳴き", "「ガッガッガッ」", "大きく濁った声", {kCrestedGrebeBarks}, 1.6},
        {"k40-2", "さえずり", "「グルルルル」", "繁殖期にうなる声", {kCrestedGrebeGrowl}, 1.6},

        // Autumn and winter
        {"k41", "地鳴き", "「ヒッ ヒッ カッカッ」", "細い声と火打石を打つような声", {kRedstart}, 1.2},
        {"k41-2", "さえずり", "「ヒーリリ チッチッ」", "春先に早口で", {kRedstartSong}, 1.6},
        {"k42", "地鳴き", "「チュイーン」", "細く尻下がりの地鳴き", {kReedBunting}, 1.6},
        {"k42-2", "さえずり", "「チュッ チュッ チュイー」", "単調な短い歌", {kReedBuntingSong}, 1.6},
        {"k43", "地鳴き", "「チー チー」", "群れで細い声を交わす", {kWhiteEyeCalls}, 0.9},
        {"k43-2", "さえずり", "「チュルチュルチュル」", "長兵衛 忠兵衛 長忠兵衛: 早口に長く続ける", {kWhiteEyeTwitter}, 1.2},
        {"k44", "地鳴き", "「ニーニーニー」", "鼻にかかった声", {kVariedTit}, 1.4},
        {"k44-2", "さえずり", "「ツーツーピー」", "ゆっくりした澄んだ声", {kVariedTitSong}, 1.6},
        {"k45", "地鳴き", "「チーチーチー ジュルリ」", "細く高い声と濁った声", {kLongTailedTitCall}, 1.0},
        {"k45-2", "地鳴き", "「ジュリリ ジュリリ」", "群れで濁った声を交わす", {kLongTailedTitBuzz}, 1.2},
        {"k46", "地鳴き", "「クワッ クワッ」", "乾いた短い地鳴き", {kDuskyThrushKwa}, 1.3},
        {"k46-2", "警戒", "「ケケッ」", "乾いた短い声", {kDuskyThrushChuck}, 1.3},
        {"k47", "飛翔", "「チュチュン チュチュン」", "波状に飛びながら", {kWagtail}, 1.2},
        {"k47-2", "さえずり", "「チチッ チュイ チュイ」", "早口で細かく変える", {kWagtailSong}, 1.6},
        {"k48", "飛翔", "「ゲレゲレゲレ」", "硬く速い連続音", {kTurnstoneShort, kTurnstoneRattle}, 1.3},
        {"k48-2", "地鳴き", "「キュッ キュッ」", "短く硬い声", {kTurnstoneKyu}, 1.4},
        {"k49", "地鳴き", "「クッ クッ」", "低く柔らかい二声、あまり鳴かない", {kGreatKnotKu}, 2.1},
        {"k49-2", "飛翔", "「クルッ クルッ」", "低く転がる声", {kGreatKnotKuru}, 1.7},
        {"k50", "飛翔", "「ウィッカ ウィッカ」", "鼻にかかった二音節を続ける", {kBlackTailedGodwit}, 1.5},
        {"k50-2", "地鳴き", "「ケッ ケッ」", "短い鼻声", {kBlackTailedGodwitKek}, 1.5},
        {"k51", "地鳴き", "「ケッケッ」", "鼻にかかった短い声を続ける", {kBarTailedGodwit}, 1.3},
        {"k51-2", "飛翔", "「キリッ キリッ」", "鼻にかかった二音節", {kGodwitKiri}, 1.5},
        {"k52", "地鳴き", "「グワッ グワッ」", "低い濁声、ねぐらやコロニーで", {kCormorantCroaks}, 2.0},
        {"k52-2", "地鳴き", "「グルルル」", "ねぐらで喉を鳴らす", {kCormorantGargle}, 2.0},
        {"k53", "地鳴き", "「プーイ」", "尻上がりの口笛、冬はあまり鳴かない", {kBlackNeckedGrebe}, 2.2},
        {"k53-2", "さえずり", "「ピリリリ」", "柔らかく震える声", {kBlackNeckedGrebeTrill}, 2.0},
        {"k54", "さえずり", "「キュリリリリ」", "甲高い馬のいななきのような長い尻下がりのトリル",
         {kLittleGrebeLong, kLittleGrebeWhinny}, 2.2},
        {"k54-2", "地鳴き", "「ケレッ ケレッ」", "短く硬い声", {kLittleGrebeKere}, 1.7},
        {"k55", "地鳴き", "「ガッガッガッ」", "大きく濁った声", {kCrestedGrebeBarks}, 1.7},
        {"k55-2", "さえずり", "「グルルルル」", "繁殖期にうなる声", {kCrestedGrebeGrowl}, 1.8},
        {"k56", "飛翔", "「ホーイーイ」", "澄んで尻上がりの笛の声", {kEurasianCurlewRise}, 1.8},
        {"k56-2", "警戒", "「ホイホイホイ」", "短い笛の声を速く", {kEurasianCurlewWhistles}, 1.6},
        {"k57", "地鳴き", "「ギィー」", "きしむような濁った声", {kBlackHeadedGull}, 1.5},
        {"k57-2", "地鳴き", "「ギャッ ギャッ」", "短く濁った声", {kBlackHeadedGullShort}, 1.3},
        {"k58", "地鳴き", "「キュイッ キュイッ」", "アジサシに似た甲高い声", {kSaundersGullCall}, 1.2},
        {"k58-2", "警戒", "「キッキッキッキッ」", "短く高い声を速く", {kSaundersGullKit}, 1.5},
        {"k59", "地鳴き", "「キュー キュー」", "鼻にかかって猫のように鳴く", {kMewGullKyu}, 1.6},
        {"k59-2", "地鳴き", "「クィー クィクィクィ」", "頭を上げての長鳴き", {kMewGullLongCall}, 1.6},
        {"k60", "飛翔", "「ジュリー」", "濁って震える声、群れで", {kDunlinCall, kDunlinTwo}, 0.9},
        {"k60-2", "さえずり", "「ジュリリリリ」", "長く濁って震える声", {kDunlinTrill}, 1.4},
        {"k61", "地鳴き", "「ミャーオ」", "猫に似た声", {kBlackTailedGull}, 1.4},
        {"k61-2", "警戒", "「クワッ クワッ クワッ」", "短く太い声", {kBlackTailedGullKwa}, 1.4},
        {"k62", "地鳴き", "「ピルッ ピルッ」", "短い震えに続く尻上がりの声", {kKentishPrrit}, 1.4},
        {"k62-2", "飛翔", "「ピュイッ」", "柔らかく尻上がりの一声", {kKentishPwit}, 1.4},
        {"k63", "飛翔", "「ピーオーイー」", "物悲しい三音節の口笛", {kGreyPloverPeeoee}, 2.2},
        {"k63-2", "地鳴き", "「ピューイー」", "物悲しい二音節の口笛", {kGreyPloverPyuii}, 2.2},
        {"k64", "地鳴き", "「クワー クワー クワクワクワ」", "太い声の長鳴き", {kSlatyBackedGull}, 2.0},
        {"k64-2", "警戒", "「ガガガガガ」", "低く短い声を速く", {kSlatyBackedGullGagaga}, 1.6},
        {"k65", "飛翔", "「キュリッ」", "短く震える声", {kSandPlover}, 1.5},
        {"k65-2", "地鳴き", "「クリリッ クリリッ」", "震える声を二つ", {kSandPloverKuri}, 1.4},
        {"k66", "地鳴き", "雄「ピリッ ピリッ ピリッ」", "澄んだ短い笛の声を規則正しく続ける", {kTealPrip}, 1.2},
        {"k66-2", "地鳴き", "雌「ケッ ケッ ケッ」", "高く鼻にかかった声", {kTealQuack}, 1.5},
        {"k67", "地鳴き", "「グルルル」", "低くうなる声、あまり鳴かない", {kTuftedDuck}, 2.2},
        {"k67-2", "さえずり", "雄「ヒュー ヒュー」", "求愛の柔らかい口笛", {kTuftedDuckWhistle}, 2.0},
        {"k68", "地鳴き", "雌「ガァー ガァー」", "しわがれた低い声", {kScaupGarr}, 1.8},
        {"k68-2", "さえずり", "雄「ホーゥ」", "求愛で柔らかく", {kScaupHoo}, 1.8},
        {"k69", "地鳴き", "雄「プリッ プリッ」", "口笛のような声", {kPintailWhistle}, 1.5},
        {"k69-2", "さえずり", "雄「ビュー」", "濁った長い声", {kPintailWheezeAlone}, 1.6},
        {"k70", "地鳴き", "雄「ゲッ ゲッ」", "低い声", {kGadwallGe}, 1.6},
        {"k70-2", "さえずり", "雄「ピュー ピュー」", "短い口笛", {kGadwallPyu}, 1.6},
        {"k71", "地鳴き", "雄「クルッ クルッ」", "喉を鳴らすような声", {kBaikalTeal}, 1.3},
        {"k71-2", "地鳴き", "雌「グェッ」", "鼻にかかった声", {kBaikalTealQuack}, 1.8},
        {"k72", "地鳴き", "「グエッ グエッ」", "太い声を一、二声", {kSpotBilledDuck}, 2.0},
        {"k72-2", "地鳴き", "「グワッ グワッ グワッ」", "太い声を続けて", {kSpotBilledDuckSeries}, 1.8},
        {"k73", "地鳴き", "雌「グェーッ グェッグェッグェッ」", "次第に弱く速くなる", {kMallardCall}, 2.0},
        {"k73-2", "地鳴き", "雄「ヴェッ」", "低く鼻にかかった声を一声ずつ", {kMallardDrake}, 1.2},
        {"k74", "警戒", "「ケッケッケッ」", "鋭く速い連続音", {kPeregrine}, 1.4},
        {"k74-2", "地鳴き", "「キィーッ」", "長く引く声", {kPeregrineWail}, 1.8},
        {"k75", "警戒", "「キキキキキ」", "甲高く速い連続音", {kKestrelCall}, 1.5},
        {"k75-2", "地鳴き", "「キィー キィー」", "細く引く声", {kKestrelWhine}, 1.6},
        {"k76", "地鳴き", "「ピョッ ピョッ ピョッ」", "口笛のような声を続ける", {kOsprey}, 1.8},
        {"k76-2", "警戒", "「ピピピピピピ」", "短い口笛を速く", {kOspreyAlarm}, 1.6},
        {"k77", "地鳴き", "「ピーヒョロロ」", "長い口笛に震える尻下がりの声", {kKite}, 2.0},
        {"k77-2", "地鳴き", "「ピィー」", "長く引く口笛", {kKiteWhistle}, 2.0},
        {"k78", "地鳴き", "「ピィーエー」", "細く尻下がりの声、ほとんど鳴かない", {kHarrierCall}, 2.4},
        {"k78-2", "警戒", "「キッキッキッ」", "巣に近づく者に", {kHarrierChatter}, 1.8},
        // Hardly ever heard: one call, kept quiet, and no second.
        {"k79", "地鳴き", "ほとんど鳴かない。ねぐらで小さく「フゴッ」", "鼻を鳴らすような息の音", {kSpoonbillSnort}, 3.2,
         kNearSilentLu},
        {"k80", "地鳴き", "雄「プルッ プルッ ピュイー」", "口笛に濁った声", {kFalcatedDuck}, 1.6},
        {"k80-2", "地鳴き", "雌「グエッ グエッ グエッ」", "太い声", {kFalcatedDuckQuack}, 1.8},
    };
    return calls;
}

const std::vector<Call>& feedbackSounds()
{
    // A bright rising chime whose two notes ring into each other, and a low buzz.
    static const std::vector<Call> sounds{
        {"o", "", "", "", {{{kChime, 0.5, {1568, 1568, 1568}, -0.36}, {kChime, 0.5, {2093, 2093, 2093}}}}, 0.3, 0, true},
        {"x", "", "", "", {{{kBuzzer, 0.5, {110, 108, 104}}}}, 0.3, 0, true},
    };
    return sounds;
}
// clang-format on

int birdNumber(const Call& call)
{
    const std::string_view file = call.file;
    return file.starts_with('k') ? std::stoi(std::string(file.substr(1))) : 0;
}

int exemplarNumber(const Call& call)
{
    const std::string_view file = call.file;
    const auto dash = file.find('-');
    return dash == std::string_view::npos ? 1 : std::stoi(std::string(file.substr(dash + 1)));
}

std::string callName(const Call& call)
{
    const std::string_view file = call.file;
    if (file == "o")
        return "正解";
    if (file == "x")
        return "不正解";
    return species::boardName(birdNumber(call)).toStdString();
}
