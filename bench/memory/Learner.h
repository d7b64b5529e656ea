#pragma once

#include "Fsrs.h"

#include <random>
#include <vector>

// A simulated learner's true memory of each bird, which the scheduler never
// sees: only the answers. Two models, so that a scheduler built on FSRS is
// not judged by FSRS alone.
class Learner
{
public:
    enum class Model {
        Fsrs,     // FSRS-6 with the default weights, each bird of a difficulty of its own
        HalfLife, // half-life regression: exponential forgetting, the half-life set by how
                  // often the bird was recalled and shown, and the bird's own ease
    };

    Learner(Model model, int birds, std::mt19937& engine);

    // The chance of recalling the bird at day `at` (0 for a bird never seen).
    double recall(int bird, double at) const;

    struct Outcome
    {
        bool right = false;
        bool recalled = false;
        double elapsedMs = 0;
    };
    // The learner is shown the bird at day `at` and clicks a name among forty;
    // right or wrong, the right name is shown after.
    Outcome answer(int bird, double at, std::mt19937& engine);

private:
    struct Bird
    {
        bool seen = false;
        memory::State state;
        double lastAt = 0;
        double ownDifficulty = 5; // FSRS: the difficulty the bird settles at
        double ease = 0;          // half-life: the bird's own term
        int right = 0;
        int wrong = 0;
    };

    Model m_model;
    memory::Fsrs m_fsrs;
    std::vector<Bird> m_birds; // by bird 1..n; 0 unused
};
