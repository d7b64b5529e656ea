#include "FormScale.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace formscale {

namespace {

// Factors read from a frame's size are never exactly on a step.
constexpr double Slack = 1e-6;

} // namespace

double clamped(double factor)
{
    if (!std::isfinite(factor))
        return Smallest;
    return std::clamp(factor, Smallest, Largest);
}

double larger(double factor, double limit)
{
    const double next = (std::floor(factor / Step + Slack) + 1) * Step;
    if (next > std::min(limit, Largest) + Slack)
        return clamped(factor);
    return clamped(next);
}

double smaller(double factor)
{
    const double previous = (std::ceil(factor / Step - Slack) - 1) * Step;
    return clamped(previous);
}

double fitting(QSize design, QSize frame, QRect available)
{
    if (design.isEmpty() || available.isEmpty())
        return Smallest;
    const double across = double(available.width() - frame.width()) / design.width();
    const double down = double(available.height() - frame.height()) / design.height();
    return clamped(std::min(across, down));
}

} // namespace formscale
