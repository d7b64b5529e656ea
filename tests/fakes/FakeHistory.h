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

    std::vector<history::Answer> answers;
    std::vector<Season> askedFor;
    history::Results scripted;
};
