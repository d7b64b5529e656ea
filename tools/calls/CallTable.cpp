// The bundled calls. Each bird's call is modelled on the real one: its rhythm,
// pitch range and contour, and whether it is a clear whistle, a trill or a harsh
// noisy voice. Birds that appear in both season sets say the same thing in both.
// Within one set no two calls share their pitch range and timbre.
#include "CallTable.h"

#include <cmath>

namespace {

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
const Voice kCormorant{.buzz = 1, .formant1 = 500, .formant2 = 1100, .noise = 0.6, .noiseHz = 800,
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
const Voice kScaup{.buzz = 1, .formant1 = 1600, .formant2 = 3000, .noise = 0.7, .noiseHz = 2200,
                   .noiseWidth = 1, .rough = 0.1, .attack = 0.015, .release = 0.05};

// --- Feedback sounds ------------------------------------------------------------------------------------
const Voice kChime{.tone = {1, 0.3, 0.12, 0.05}, .attack = 0.002, .release = 0.08, .decay = 7};
const Voice kBuzzer{.buzz = 1, .formant1 = 500, .formant2 = 1500, .trillHz = 14, .trill = 0.3, .attack = 0.01,
                    .release = 0.04};

// Columns of a note: voice, seconds, pitch {start, middle, end} in Hz, pause after,
// times, pitch step per repeat, random spread in octaves, level.

// Calls of the birds found in both season sets.
const std::vector<Note> kCormorantCall{  // "グワッ グワッ グワッ"
    {kCormorant, 0.22, {125, 120, 100}, 0.2, 3}};
const std::vector<Note> kLittleGrebeCall{  // "キュリリリリ"
    {kChip, 0.07, {3300, 3900, 3800}, 0.02}, {kRipple, 1.3, {3900, 3800, 3300}}};
const std::vector<Note> kGreatKnotCall = repeat(2, 0.45, {  // "クッ クッ"
    {kSoft, 0.09, {1200, 1400, 1250}, 0.09, 2}});
const std::vector<Note> kBarTailedGodwitCall{  // "ケッ ケッ ケッ ケッ"
    {kNasal, 0.09, {1500, 1650, 1450}, 0.12, 4}};
const std::vector<Note> kLesserSandPloverCall{  // "クリッ クリッ"
    {kPloverTrill, 0.16, {2300, 2500, 2200}, 0.35, 3}};
const std::vector<Note> kKentishPloverCall{  // "ピュイッ"
    {kFlute, 0.14, {2500, 3000, 3300}, 0.35, 3}};
const std::vector<Note> kGreyPloverCall{  // "ピーオーイー"
    {kPlaintive, 0.25, {2700, 2800, 2600}, 0.02}, {kPlaintive, 0.2, {2000, 1900, 1950}, 0.02},
    {kPlaintive, 0.32, {2150, 2450, 2600}}};
const std::vector<Note> kTurnstoneCall = repeat(2, 0.3, {  // "ゲレゲレゲレ"
    {kTurnstone, 0.04, {2400, 2700, 2300}, 0.025, 10, 0.99}});
const std::vector<Note> kWagtailCall = repeat(3, 0.25, {  // "チュチュン"
    {kChip, 0.06, {4800, 5400, 4700}, 0.04}, {kChip, 0.08, {5200, 4800, 4200}}});
const std::vector<Note> kBlackHeadedGullCall{  // "ギャーッ ギャッ"
    {kGull, 0.35, {1100, 1300, 1000}, 0.25}, {kGull, 0.2, {1150, 1250, 950}}};
const std::vector<Note> kCrestedGrebeCall{  // "ガッガッガッガッ"
    {kGrebeBark, 0.12, {380, 400, 340}, 0.08, 4}};

// clang-format on

} // namespace

std::vector<Note> repeat(int times, double gap, std::initializer_list<Note> motif)
{
    std::vector<Note> notes;
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

// clang-format off
const std::vector<Call>& birdCalls()
{
    static const std::vector<Call> calls{
        {"k1", "アオサギ",  // Spring and summer
         {{kHeron, 0.38, {280, 300, 200}}}, 0.7},  // "グワッ"
        {"k2", "アオアシシギ", {{kRinging, 0.2, {2050, 2300, 2000}, 0.09, 3}}},  // "チョーチョーチョー"
        {"k3", "コアジサシ",  // "キリッ キリッ"
         repeat(3, 0.16, {{kTernSmall, 0.05, {4800, 5300, 5000}, 0.025},
                          {kTernSmall, 0.1, {5000, 5400, 4600}}})},
        {"k4", "カワウ", kCormorantCall},
        {"k5", "ダイサギ", {{kEgret, 0.85, {180, 175, 150}}}, 0.5},  // "ゴァーッ"
        {"k6", "カイツブリ", kLittleGrebeCall},
        {"k7", "アカエリヒレアシシギ",  // "キッ キッ クリッ"
         repeat(2, 0.3, {{kPhalarope, 0.05, {2900, 3300, 3000}, 0.12, 2},
                         {kPhalarope, 0.09, {3000, 3400, 2800}}})},
        {"k8", "ホウロクシギ", {{kCurlew, 0.45, {1350, 1450, 1600}, 0.04},  // "ホーイン"
                                {kCurlew, 0.55, {1650, 2100, 1950}}}},
        {"k9", "チュウシャクシギ", {{kRinging, 0.11, {1900, 2400, 2300}, 0.05},  // "ホイピピピピピ"
                                    {kRinging, 0.065, {2450, 2500, 2350}, 0.045, 6, 0.995}}},
        {"k10", "コサギ", {{kLittleEgret, 0.4, {380, 420, 320}, 0.15},  // "ギャッ ギャッ"
                           {kLittleEgret, 0.2, {360, 380, 300}}}},
        {"k11", "トウネン", {{kStint, 0.12, {4200, 4600, 4300}, 0.25, 3}}},  // "チリッ"
        {"k12", "オバシギ", kGreatKnotCall},
        {"k13", "オオソリハシシギ", kBarTailedGodwitCall},
        {"k14", "ケリ", repeat(3, 0.2, {{kLapwing, 0.06, {3300, 3800, 3600}, 0.02},  // "キリッ キリッ"
                                         {kLapwing, 0.12, {3600, 3900, 3200}}})},
        {"k15", "メダイチドリ", kLesserSandPloverCall},
        {"k16", "シロチドリ", kKentishPloverCall},
        {"k17", "イソシギ", {{kThin, 0.1, {5200, 5600, 5000}, 0.04},  // "チーリーリー"
                             {kThin, 0.08, {5100, 5300, 4800}, 0.04, 4, 0.97}}},
        {"k18", "ツバメ", {{kChip, 0.05, {4500, 6500, 5000}, 0.03, 10, 1, 0.35},  // "チュビチュビ ジュルル"
                           {kSwallowRattle, 0.45, {2600, 2500, 2300}}}},
        {"k19", "ソリハシシギ", {{kFlute, 0.09, {1650, 1900, 1950}, 0.05, 4}}},  // "ホイホイホイホイ"
        {"k20", "キアシシギ", repeat(2, 0.35, {{kRinging, 0.09, {2600, 2800, 2500}, 0.03},  // "ピュイー"
                                               {kRinging, 0.28, {2700, 3200, 3400}}})},
        {"k21", "ツルシギ", repeat(2, 0.4, {{kFlute, 0.1, {3100, 3300, 2700}, 0.02},  // "チュイッ"
                                             {kFlute, 0.11, {2900, 3700, 4100}}})},
        {"k22", "ダイゼン", kGreyPloverCall},
        {"k23", "キョウジョシギ", kTurnstoneCall},
        {"k24", "オオルリ", {{kFlute, 0.3, {3600, 3700, 3500}, 0.03},  // "ピーリーリー ポイヒー ジジッ"
                             {kFlute, 0.09, {3200, 3400, 3000}, 0.02, 3, 0.96},
                             {kFlute, 0.15, {2600, 2400, 2500}, 0.02},
                             {kFlute, 0.3, {3000, 4200, 4000}, 0.06},
                             {kBuzzy, 0.18, {3500, 3600, 3400}}}},
        {"k25", "メボソムシクイ",  // "ジュリジュリジュリ"
         repeat(4, 0.1, {{kBuzzy, 0.07, {3100, 3500, 3000}, 0.02},
                         {kBuzzy, 0.07, {3700, 4000, 3500}, 0.02},
                         {kBuzzy, 0.07, {2900, 3200, 2800}}})},
        {"k26", "シジュウカラ", repeat(3, 0.12, {{kThin, 0.05, {6200, 6500, 6000}, 0.06, 2},  // "ツツピー"
                                                 {kThin, 0.18, {4300, 4400, 4200}}})},
        {"k27", "ヒバリ",  // long warbling song
         {{kLark, 0.05, {3000, 4200, 3500}, 0.012, 48, 1, 0.5}}, 0.35},
        {"k28", "ハクセキレイ", kWagtailCall},
        {"k29", "ムクドリ", {{kStarling, 0.3, {1900, 2100, 1800}, 0.2, 2}}},  // "ギュルー ギュルー"
        {"k30", "カワラヒワ", {{kFinchTrill, 0.35, {3800, 4200, 4000}, 0.08},  // "キリキリ コロコロ ビィーン"
                               {kFinchRoll, 0.35, {2700, 2900, 2600}, 0.08},
                               {kFinchNasal, 0.5, {2800, 3200, 3000}}}},
        {"k31", "セッカ",  // "ヒッ ヒッ ヒッ チャッ チャッ チャッ"
         {{kThin, 0.06, {3800, 4000, 3900}, 0.3, 3},
          {kChat, 0.06, {3500, 3500, 3500}, 0.15, 3}}},
        {"k32", "モズ", {{kShrike, 0.18, {4000, 4600, 4200}, 0.06, 3},  // "キィーキィーキィー キチキチキチ"
                         {kShrike, 0.05, {4200, 4500, 4000}, 0.03, 5}}},
        {"k33", "ホオジロ", {{kFlute, 0.08, {4500, 5200, 4800}, 0.03},  // "一筆啓上仕り候"
                             {kFlute, 0.22, {3400, 3500, 3300}, 0.05},
                             {kFlute, 0.06, {5500, 6000, 5000}, 0.02},
                             {kFlute, 0.14, {4200, 4600, 4000}, 0.05},
                             {kFlute, 0.08, {3800, 4200, 3600}, 0.05},
                             {kChip, 0.04, {5000, 5200, 4800}, 0.03, 3},
                             {kFlute, 0.2, {3000, 3200, 3100}}}},
        {"k34", "ハシボソガラス", {{kCawHoarse, 0.38, {480, 520, 430}, 0.35, 2}}},  // hoarse "ガー ガー"
        {"k35", "ハシブトガラス", {{kCawClear, 0.3, {620, 700, 560}, 0.3, 3}}},  // clear "カー カー カー"
        {"k36", "ホトトギス", {{kCuckoo, 0.12, {1400, 1700, 1500}, 0.07},  // "キョッ キョ キョキョキョ"
                               {kCuckoo, 0.09, {1500, 1800, 1500}, 0.04},
                               {kCuckoo, 0.09, {1600, 1900, 1600}, 0.04, 2},
                               {kCuckoo, 0.2, {1500, 1800, 1300}}}},
        {"k37", "キビタキ", repeat(2, 0.2, {{kFlute, 0.12, {2800, 3300, 3100}, 0.03},  // "ピッコロロ"
                                             {kFlycatcherTrill, 0.3, {2400, 2600, 2200}}})},
        {"k38", "ユリカモメ", kBlackHeadedGullCall},
        {"k39", "アジサシ", {{kTern, 0.5, {2800, 3200, 2200}, 0.3, 2}}},  // "キーアー"
        {"k40", "カンムリカイツブリ", kCrestedGrebeCall},

        {"k41", "ジョウビタキ",  // Autumn and winter
         {{kThin, 0.12, {5400, 5800, 5700}, 0.25, 2},  // "ヒッ ヒッ カッカッ"
          {kChat, 0.03, {2500, 2500, 2500}, 0.08, 2}}},
        {"k42", "オオジュリン", repeat(2, 0.35, {{kThin, 0.05, {5000, 5500, 5200}, 0.01},  // "チュイーン"
                                                 {kBuzzyThin, 0.35, {6000, 5400, 4200}}})},
        {"k43", "メジロ", {{kThin, 0.08, {6500, 7000, 6600}, 0.1, 2},  // "チー チー チュルチュル"
                           {kChip, 0.045, {4800, 6200, 5500}, 0.015, 16, 1, 0.25}}},
        {"k44", "ヤマガラ", {{kTitNasal, 0.22, {1900, 2000, 1900}, 0.1, 3}}},  // "ニー ニー ニー"
        {"k45", "エナガ", {{kThin, 0.07, {7000, 7500, 7000}, 0.05, 3},  // "チーチーチー ジュルリ"
                           {kBuzzyThin, 0.4, {5500, 5800, 5000}}}},
        {"k46", "ツグミ", repeat(2, 0.3, {{kThrush, 0.06, {2600, 2600, 2600}, 0.06, 2}})},  // "ケケッ ケケッ"
        {"k47", "ハクセキレイ", kWagtailCall},
        {"k48", "キョウジョシギ", kTurnstoneCall},
        {"k49", "オバシギ", kGreatKnotCall},
        {"k50", "オグロシギ",  // "ウィッカ ウィッカ"
         repeat(3, 0.12, {{kNasal, 0.09, {1700, 2200, 2400}, 0.01},
                          {kNasal, 0.06, {2300, 2000, 1800}}})},
        {"k51", "オオソリハシシギ", kBarTailedGodwitCall},
        {"k52", "カワウ", kCormorantCall},
        {"k53", "ハジロカイツブリ", {{kFlute, 0.35, {1500, 2000, 2700}, 0.5, 2}}},  // "プーイ"
        {"k54", "カイツブリ", kLittleGrebeCall},
        {"k55", "カンムリカイツブリ", kCrestedGrebeCall},
        {"k56", "ダイシャクシギ", {{kCurlew, 0.35, {1500, 1550, 1700}, 0.03},  // "ホーイーン"
                                   {kCurlew, 0.6, {1800, 2300, 2200}}}},
        {"k57", "ユリカモメ", kBlackHeadedGullCall},
        {"k58", "スグロカモメ", {{kSaundersGull, 0.12, {2800, 3400, 3100}, 0.2, 3}}},  // "キュイッ"
        {"k59", "カモメ", {{kMewHigh, 0.4, {1500, 1800, 1600}, 0.25, 2}}},  // "キュー キュー"
        {"k60", "ハマシギ", {{kDunlin, 0.3, {3800, 4000, 3300}, 0.25, 3}}},  // "ジュリー"
        {"k61", "ウミネコ",  // "ミャーオ ミャー"
         {{kMew, 0.7, {650, 1000, 700}, 0.2}, {kMew, 0.45, {700, 950, 750}}}},
        {"k62", "シロチドリ", kKentishPloverCall},
        {"k63", "ダイゼン", kGreyPloverCall},
        {"k64", "オオセグロカモメ",  // "クワー クワー クワクワクワ"
         {{kBigGull, 0.35, {550, 700, 500}, 0.1, 2},
          {kBigGull, 0.16, {600, 650, 550}, 0.08, 3}}},
        {"k65", "メダイチドリ", kLesserSandPloverCall},
        {"k66", "コガモ", {{kTeal, 0.13, {3000, 3300, 2900}, 0.35, 3}}},  // "ピリッ"
        {"k67", "キンクロハジロ", {{kGrowl, 0.5, {300, 320, 280}, 0.3, 2}}},  // "グルルル"
        {"k68", "スズガモ", {{kScaup, 0.3, {500, 520, 450}, 0.2, 3}}},  // "ガァー"
        {"k69", "オナガガモ", {{kPintail, 0.18, {1300, 1500, 1300}, 0.3, 2}}},  // "プリッ プリッ"
        {"k70", "オカヨシガモ", {{kGadwall, 0.12, {220, 240, 200}, 0.25, 3}}},  // "ゲッ ゲッ"
        {"k71", "トモエガモ", {{kBaikal, 0.12, {700, 750, 650}, 0.2, 3}}},  // "クルッ クルッ"
        {"k72", "カルガモ", {{kQuack, 0.2, {320, 340, 280}, 0.2, 3}}},  // "グェッ グェッ"
        {"k73", "マガモ", {{kMallard, 0.3, {280, 300, 260}, 0.12},  // "グェーッ グェッグェッ"
                           {kMallard, 0.15, {270, 280, 240}, 0.1, 4, 0.95, 0, 0.8}}},
        {"k74", "ハヤブサ", {{kFalcon, 0.08, {1600, 1900, 1500}, 0.07, 7}}},  // "ケッケッケッ"
        {"k75", "チョウゲンボウ", {{kKestrel, 0.07, {3100, 3400, 3000}, 0.05, 8}}},  // "キキキキキ"
        {"k76", "ミサゴ", {{kFlute, 0.14, {2000, 2600, 2800}, 0.16, 5}}},  // "ピョッ ピョッ"
        {"k77", "トビ", {{kRinging, 0.7, {2400, 2600, 2500}, 0.05},  // "ピーヒョロロ"
                         {kKiteWarble, 1, {2300, 2000, 1500}}}},
        {"k78", "チュウヒ", {{kHarrier, 0.4, {4400, 4800, 4300}, 0.3, 2}}},  // "キィーッ"
        {"k79", "クロツラヘラサギ", {{kSpoonbill, 0.3, {100, 110, 90}, 0.35, 3}}},  // low "フゴッ"
        {"k80", "ヨシガモ", {{kFlute, 0.1, {1200, 1400, 1300}, 0.08, 2},  // "プルッ プルッ ピュイー"
                             {kWheeze, 0.4, {1500, 1900, 1700}}}},
    };
    return calls;
}

const std::vector<Call>& feedbackSounds()
{
    // A bright rising chime whose two notes ring into each other, and a low buzz.
    static const std::vector<Call> sounds{
        {"o", "正解", {{kChime, 0.5, {1568, 1568, 1568}, -0.36}, {kChime, 0.5, {2093, 2093, 2093}}}, 0.3},
        {"x", "不正解", {{kBuzzer, 0.5, {110, 108, 104}}}, 0.3},
    };
    return sounds;
}
// clang-format on
