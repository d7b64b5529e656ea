#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

// How one bird sounds: the ingredients mixed under a note's pitch contour.
// A whistle is mostly `tone`; a quack or caw is `buzz` shaped by two formants;
// a screech or a dry "chat" adds `noise`. Unset fields are off.
struct Voice
{
    std::array<double, 4> tone{}; // levels of the pure tone's harmonics 1-4
    double buzz = 0;              // level of a harmonic-rich buzz on the same pitch
    double formant1 = 1000;       // Hz, where the buzz is loudest
    double formant2 = 2500;       // Hz, its second, weaker peak
    double buzzTop = 9000;        // Hz; the buzz fades out below here: low is soft, muffled
    double noise = 0;             // level of band noise
    double noiseHz = 0;           // centre of that band; 0 follows the pitch
    double noiseWidth = 0.4;      // bandwidth of the noise relative to its centre
    double vibratoHz = 0;         // pitch wobble ("ヒョロロ")
    double vibrato = 0;           // its depth as a fraction of the pitch
    double trillHz = 0;           // loudness pulses within a note ("コロコロ", "グルル")
    double trill = 0;             // their depth, 0-1
    double rough = 0;             // random pitch jitter as a fraction of the pitch: hoarseness
    double attack = 0.01;         // seconds
    double release = 0.03;        // seconds
    double decay = 0;             // loudness fall within the note, per second (struck notes)
};

// Pitch at the start, middle and end of a note, in Hz; the pitch glides smoothly through them.
using Contour = std::array<double, 3>;

struct Note
{
    Voice voice;
    double seconds = 0.1;
    Contour hz{};
    double pause = 0;   // silence after the note, before the next one; negative overlaps
    int times = 1;      // the note said this many times in a row
    double step = 1;    // pitch ratio from one repeat to the next
    double scatter = 0; // random pitch spread per repeat, in octaves (warbling songs)
    double level = 1;   // loudness relative to the other notes
    double quicken = 1; // length and pause ratio from one repeat to the next (<1 speeds up)
};

using Phrase = std::vector<Note>;

// One file: the bird singing or calling several times, phrase after phrase with a
// pause between them, as a birder hears it. A bird never says a phrase twice in
// exactly the same way: each one comes a little higher or lower, faster or slower,
// louder or softer. The file ends in a pause like the ones between phrases, so the
// program's repeat of it sounds like the bird calling again.
struct Call
{
    const char* file;  // name without ".wav": k<bird number>, k<bird number>-2, or o and x
    const char* tags;  // the kind of call: さえずり, 地鳴き, 飛翔, 警戒, separated by spaces
    const char* heard; // how the call is written down (聞きなし), shown beside it
    const char* notes; // what else the model follows: the field guides' description
    std::vector<Phrase> phrases; // said in turn; a bird with one phrase says it every time
    double gap = 1.5;            // usual silence between phrases, seconds
    double quieter = 0;          // LU below the usual loudness: a bird that is rarely heard stays quiet
    bool once = false;           // feedback sounds: the phrase once, exactly, then `gap` of silence
};

// Several notes said `times` times, `gap` seconds apart.
Phrase repeat(int times, double gap, std::initializer_list<Note> motif);

// Every bundled call in bird number order: k1, k1-2, k2, k2-2 ... k80. Each bird has its
// first call k<N> and most a second of another kind, k<N>-2.
const std::vector<Call>& birdCalls();
// o (right answer) and x (wrong answer).
const std::vector<Call>& feedbackSounds();

// The bird number of a call (k25-2 → 25), 0 for a feedback sound.
int birdNumber(const Call& call);
// 1 for a bird's first call k<N>, 2 for k<N>-2.
int exemplarNumber(const Call& call);

// The bird's name from the species table, or what a feedback sound means, in UTF-8.
std::string callName(const Call& call);
