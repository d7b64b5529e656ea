#pragma once

#include "Fsrs.h"
#include "Grading.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

// What the learner remembers of each bird, one memory per bird and way of
// asking (a picture with its call, the call alone): built by replaying the
// answer history in the order the answers were given, then kept up to date
// answer by answer.
namespace memory {

inline constexpr int Modes = 2; // 0: picture and call, 1: by ear

// With forty names on the board, a learner who has forgotten a bird still
// clicks it one time in forty. FSRS takes a right answer as a recall; the
// chance of a right answer it predicts is its recall plus that guess.
inline constexpr double GuessChance = 1.0 / 40;
inline double chanceRight(double recall)
{
    return recall + (1.0 - recall) * GuessChance;
}

// One judged answer as the memory takes it.
struct Review
{
    double at = 0; // days since 1970-01-01 00:00 UTC, with fractions
    int mode = 0;
    int bird = 0;     // the bird shown, its number 1..80
    int answered = 0; // the bird clicked
    bool right = false;
    qint64 elapsedMs = 0;
};

// The answers of one of the learner's days.
struct DayCount
{
    int day = 0;
    int asked = 0;
    int right = 0;
};

struct Card
{
    State state;
    double lastAt = 0;
    int reviews = 0;
    int lapses = 0;
    std::vector<DayCount> days; // oldest first, only days with answers
};

class MemoryBook
{
public:
    // A bird is due once its predicted recall falls below this.
    static constexpr double Retention = 0.9;

    // dayShift: the learner's day, in days, starts this long after midnight UTC
    // (the local offset, less the small hours that still count as yesterday).
    explicit MemoryBook(double dayShift = 0, const Fsrs& model = Fsrs());

    // The same answers in any order give the same memory: they are replayed
    // in the order given, ties broken by their content. Grades come from the
    // learner's own answer times in each way of asking.
    static MemoryBook replay(std::vector<Review> reviews, double dayShift = 0, const Fsrs& model = Fsrs());

    // An answer given after those replayed; graded as they were.
    void add(const Review& review);

    const Card* card(int mode, int bird) const;
    // The predicted recall at now; none for a bird never asked this way.
    std::optional<double> recall(int mode, int bird, double now) const;
    bool isDue(int mode, int bird, double when) const;

    int dayOf(double at) const;
    // When the learner's day that holds now ends.
    double endOfDay(double now) const;
    // Of the birds given, how many fall due by the end of each day from today
    // on (today's count takes in those overdue).
    std::vector<int> dueByDay(int mode, std::span<const int> birds, double now, int days) const;

    // 復習's choice among the birds that may be asked now: the due bird of
    // lowest recall, then a bird never asked this way (the r-th share of them),
    // then the least remembered of the rest. So that a long queue of due birds
    // never keeps new ones out for good, a new bird goes ahead of the due ones
    // once DueBeforeNew due birds have been asked today for each bird begun
    // today. Returns 0 for no birds.
    static constexpr int DueBeforeNew = 1;
    int nextToReview(int mode, std::span<const int> birds, double now, double r) const;

    const Grading& grading(int mode) const { return m_grading[std::size_t(mode)]; }
    const Fsrs& model() const { return m_model; }
    double dayShift() const { return m_dayShift; }
    int reviewCount() const { return m_reviews; }

    static bool earlier(const Review& a, const Review& b);

private:
    void learn(const Review& review);

    Fsrs m_model;
    double m_dayShift;
    std::array<Grading, Modes> m_grading{};
    std::unordered_map<int, Card> m_cards; // by mode × 1000 + bird
    int m_reviews = 0;
};

} // namespace memory
