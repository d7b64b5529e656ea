#include "Policy.h"

#include <algorithm>

Chooser::Chooser(Policy policy, int birds)
    : m_policy(policy), m_birds(birds), m_lastFive(std::size_t(birds) + 1)
{}

void Chooser::beginSitting(const memory::MemoryBook* book)
{
    m_book = book;
    m_recent.clear();
}

bool Chooser::mayAsk(int bird) const
{
    return std::find(m_recent.begin(), m_recent.end(), bird) == m_recent.end();
}

int Chooser::next(double now, std::mt19937& engine)
{
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<int> allowed;
    for (int bird = 1; bird <= m_birds; ++bird)
        if (mayAsk(bird))
            allowed.push_back(bird);
    int chosen = allowed.front();
    if (m_policy == Policy::Uniform) {
        chosen = allowed[std::min(allowed.size() - 1, std::size_t(uniform(engine) * double(allowed.size())))];
    } else if (m_policy == Policy::WeakFirst) {
        std::vector<double> weights;
        for (int bird : allowed)
            weights.push_back(1.0 + double(std::count(m_lastFive[std::size_t(bird)].begin(),
                                                      m_lastFive[std::size_t(bird)].end(), false)));
        chosen = allowed[std::discrete_distribution<std::size_t>(weights.begin(), weights.end())(engine)];
    } else {
        chosen = m_book->nextToReview(0, allowed, now, uniform(engine));
    }
    m_recent.push_back(chosen);
    if (int(m_recent.size()) > RecentWindow)
        m_recent.pop_front();
    return chosen;
}

void Chooser::answered(int bird, bool right)
{
    auto& last = m_lastFive[std::size_t(bird)];
    last.push_front(right);
    if (last.size() > 5)
        last.pop_back();
}
