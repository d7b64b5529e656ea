#include "MemoryBook.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace memory {
namespace {

int keyOf(int mode, int bird)
{
    return mode * 1000 + bird;
}

bool validMode(int mode)
{
    return mode >= 0 && mode < Modes;
}

} // namespace

MemoryBook::MemoryBook(double dayShift, const Fsrs& model) : m_model(model), m_dayShift(dayShift) {}

bool MemoryBook::earlier(const Review& a, const Review& b)
{
    return std::tie(a.at, a.mode, a.bird, a.answered, a.right, a.elapsedMs) <
           std::tie(b.at, b.mode, b.bird, b.answered, b.right, b.elapsedMs);
}

MemoryBook MemoryBook::replay(std::vector<Review> reviews, double dayShift, const Fsrs& model)
{
    MemoryBook book(dayShift, model);
    std::array<std::vector<qint64>, Modes> rightTimes;
    for (const Review& review : reviews)
        if (review.right && validMode(review.mode))
            rightTimes[std::size_t(review.mode)].push_back(review.elapsedMs);
    for (int mode = 0; mode < Modes; ++mode)
        book.m_grading[std::size_t(mode)] =
            Grading::fromRightAnswerTimes(std::move(rightTimes[std::size_t(mode)]));
    std::sort(reviews.begin(), reviews.end(), earlier);
    for (const Review& review : reviews)
        book.learn(review);
    return book;
}

void MemoryBook::add(const Review& review)
{
    learn(review);
}

// An answer dated before the bird's last one (a clock set back) counts as
// given the same day.
void MemoryBook::learn(const Review& review)
{
    if (!validMode(review.mode) || review.bird <= 0)
        return;
    const Grade grade = grading(review.mode).grade(review.right, review.elapsedMs);
    Card& card = m_cards[keyOf(review.mode, review.bird)];
    const int day = dayOf(review.at);
    if (card.reviews == 0)
        card.state = m_model.first(grade);
    else
        card.state = m_model.next(card.state, std::max(0, day - dayOf(card.lastAt)), grade);
    card.lastAt = std::max(card.lastAt, review.at);
    ++card.reviews;
    if (!review.right)
        ++card.lapses;
    if (card.days.empty() || card.days.back().day < day)
        card.days.push_back({day, 0, 0});
    DayCount& today = card.days.back();
    ++today.asked;
    if (review.right)
        ++today.right;
    ++m_reviews;
}

const Card* MemoryBook::card(int mode, int bird) const
{
    const auto found = m_cards.find(keyOf(mode, bird));
    return found == m_cards.end() ? nullptr : &found->second;
}

std::optional<double> MemoryBook::recall(int mode, int bird, double now) const
{
    const Card* known = card(mode, bird);
    if (!known)
        return std::nullopt;
    return m_model.retrievability(now - known->lastAt, known->state.stability);
}

bool MemoryBook::isDue(int mode, int bird, double when) const
{
    const std::optional<double> r = recall(mode, bird, when);
    return r && *r < Retention;
}

int MemoryBook::dayOf(double at) const
{
    return int(std::floor(at + m_dayShift));
}

double MemoryBook::endOfDay(double now) const
{
    return double(dayOf(now) + 1) - m_dayShift;
}

std::vector<int> MemoryBook::dueByDay(int mode, std::span<const int> birds, double now, int days) const
{
    std::vector<int> due(std::size_t(std::max(0, days)), 0);
    const double firstEnd = endOfDay(now);
    for (int bird : birds) {
        const Card* known = card(mode, bird);
        if (!known)
            continue;
        const double dueAt = known->lastAt + m_model.interval(Retention, known->state.stability);
        const int day = std::max(0, int(std::ceil(dueAt - firstEnd)));
        if (day < days)
            ++due[std::size_t(day)];
    }
    return due;
}

int MemoryBook::nextToReview(int mode, std::span<const int> birds, double now, double r) const
{
    const int today = dayOf(now);
    int begunToday = 0;
    int reviewedToday = 0;
    for (const auto& [key, card] : m_cards) {
        if (key / 1000 != mode || card.days.back().day != today)
            continue;
        if (card.days.size() == 1)
            ++begunToday;
        else
            reviewedToday += card.days.back().asked;
    }
    int lowestBird = 0;
    double lowest = 2.0;
    std::vector<int> fresh;
    for (int bird : birds) {
        const std::optional<double> known = recall(mode, bird, now);
        if (!known)
            fresh.push_back(bird);
        else if (*known < lowest) {
            lowest = *known;
            lowestBird = bird;
        }
    }
    const bool newTurn = reviewedToday >= DueBeforeNew * (begunToday + 1);
    if (lowestBird != 0 && lowest < Retention && !(newTurn && !fresh.empty()))
        return lowestBird;
    if (!fresh.empty())
        return fresh[std::min(fresh.size() - 1, std::size_t(std::max(0.0, r) * double(fresh.size())))];
    return lowestBird;
}

} // namespace memory
