#include "Learner.h"

#include "MemoryBook.h"

#include <algorithm>
#include <cmath>

namespace {

// Half-life regression's weights: half-life in days = 2^(a·√right + b·√seen + ease),
// counting the answers recalled and every time the bird was shown.
constexpr double RightWeight = 1.0;
constexpr double SeenWeight = 1.5;

} // namespace

Learner::Learner(Model model, int birds, std::mt19937& engine)
    : m_model(model), m_birds(std::size_t(birds) + 1)
{
    std::uniform_real_distribution<double> difficulty(2.0, 10.0);
    std::uniform_real_distribution<double> ease(-1.0, 1.0);
    for (Bird& bird : m_birds) {
        bird.ownDifficulty = difficulty(engine);
        bird.ease = ease(engine);
    }
}

double Learner::recall(int number, double at) const
{
    const Bird& bird = m_birds[std::size_t(number)];
    if (!bird.seen)
        return 0.0;
    const double days = std::max(0.0, at - bird.lastAt);
    if (m_model == Model::Fsrs)
        return m_fsrs.retrievability(days, bird.state.stability);
    const double halfLife = std::exp2(RightWeight * std::sqrt(double(bird.right)) +
                                      SeenWeight * std::sqrt(double(bird.right + bird.wrong)) + bird.ease);
    return std::exp2(-days / halfLife);
}

// Recalled or not by the model's chance; not recalled, a guess among forty
// names. Recalling takes longer the weaker the memory; a guess is slow.
Learner::Outcome Learner::answer(int number, double at, std::mt19937& engine)
{
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::lognormal_distribution<double> spread(0.0, 0.25);
    const double r = recall(number, at);
    Outcome outcome;
    outcome.recalled = uniform(engine) < r;
    outcome.right = outcome.recalled || uniform(engine) < memory::GuessChance;
    outcome.elapsedMs =
        outcome.recalled ? (1200.0 + 3000.0 * (1.0 - r)) * spread(engine) : 4500.0 * spread(engine);

    Bird& bird = m_birds[std::size_t(number)];
    // The true memory moves by whether the bird was recalled, a lucky guess
    // being no recall: shown the name, the learner studies it as after a miss.
    const memory::Grade grade = outcome.recalled ? memory::Grade::Good : memory::Grade::Again;
    if (!bird.seen) {
        bird.state = m_fsrs.first(grade);
    } else {
        const int days = int(std::floor(at)) - int(std::floor(bird.lastAt));
        bird.state = m_fsrs.next(bird.state, days, grade);
    }
    bird.state.difficulty = std::clamp((bird.state.difficulty + 2.0 * bird.ownDifficulty) / 3.0, 1.0, 10.0);
    (outcome.recalled ? bird.right : bird.wrong) += 1;
    bird.seen = true;
    bird.lastAt = at;
    return outcome;
}
