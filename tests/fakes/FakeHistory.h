#pragma once

#include "AnswerHistory.h"

#include <QMetaObject>

// Keeps the answers in memory; hands out the results a test sets, on the next
// turn of the event loop as the real history would.
class FakeHistory final : public history::AnswerHistory
{
public:
    void record(const history::Answer& answer) override { answers.push_back(answer); }
    void results(Season season, const QDateTime&, QObject* context,
                 std::function<void(const history::Results&)> done) override
    {
        askedFor.push_back(season);
        QMetaObject::invokeMethod(
            context, [done = std::move(done), results = this->scripted] { done(results); },
            Qt::QueuedConnection);
    }

    void lastAnswers(Season season, int count, QObject* context,
                     std::function<void(const history::LastAnswers&)> done) override
    {
        lastAskedFor.push_back({season, count});
        if (holdLastAnswers) {
            heldLastAnswers = [context, done = std::move(done), answers = scriptedLast] {
                QMetaObject::invokeMethod(
                    context, [done, answers] { done(answers); }, Qt::QueuedConnection);
            };
            return;
        }
        QMetaObject::invokeMethod(
            context, [done = std::move(done), answers = scriptedLast] { done(answers); },
            Qt::QueuedConnection);
    }

    void exemplarsUsed(Season, QObject* context,
                       std::function<void(const history::ExemplarsUsed&)> done) override
    {
        QMetaObject::invokeMethod(
            context, [done = std::move(done), used = scriptedExemplars] { done(used); },
            Qt::QueuedConnection);
    }

    std::vector<history::Answer> answers;
    // Which pictures and recordings earlier days showed; no value: history off.
    history::ExemplarsUsed scriptedExemplars = std::vector<history::ExemplarUse>{};
    std::vector<Season> askedFor;
    history::Results scripted;
    std::vector<std::pair<Season, int>> lastAskedFor;
    // Each bird's latest answers, newest first, by bird number; no value: history off.
    history::LastAnswers scriptedLast = std::map<int, std::vector<bool>>{};
    // A slow history: the latest answers come only when the test sends them.
    bool holdLastAnswers = false;
    std::function<void()> heldLastAnswers;
};
