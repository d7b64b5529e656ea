// What a way of choosing birds leaves remembered: simulated learners over
// sixty days, each day one sitting of a few questions, then two weeks without;
// their mean and weakest-bird recall at the end, and how well the memory model's
// predicted chance of a right answer matches the answers given (RMSE over ten
// bins). Then the time to replay a long history on the history's thread.
// Usage: bench_memory [seeds, default 100] [replay answers, default 100000]
#include "HistoryDatabase.h"
#include "Learner.h"
#include "Policy.h"
#include "SqliteHistory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int Days = 60;
constexpr double DaysAfter = 14;

struct Calibration
{
    std::array<double, 10> predicted{};
    std::array<double, 10> right{};
    std::array<int, 10> count{};

    void add(double p, bool wasRight)
    {
        const auto bin = std::size_t(std::clamp(int(p * 10), 0, 9));
        predicted[bin] += p;
        right[bin] += wasRight ? 1 : 0;
        ++count[bin];
    }
    double rmse() const
    {
        double sum = 0;
        int total = 0;
        for (std::size_t bin = 0; bin < 10; ++bin) {
            if (count[bin] == 0)
                continue;
            const double gap = (predicted[bin] - right[bin]) / count[bin];
            sum += gap * gap * count[bin];
            total += count[bin];
        }
        return total ? std::sqrt(sum / total) : 0.0;
    }
};

struct Result
{
    double mean = 0;
    double weakest = 0;
};

// One learner's sixty days under a policy; the model's predictions go into calibration.
Result learn(Learner::Model model, Policy policy, int birds, int perDay, unsigned seed,
             Calibration& calibration)
{
    std::mt19937 engine(seed);
    Learner learner(model, birds, engine);
    Chooser chooser(policy, birds);
    std::vector<memory::Review> history;
    for (int day = 0; day < Days; ++day) {
        // A sitting in the evening: the memory replayed from every answer so
        // far, as the quiz does when it opens, then kept up to date.
        memory::MemoryBook book = memory::MemoryBook::replay(history);
        chooser.beginSitting(&book);
        for (int i = 0; i < perDay; ++i) {
            const double now = day + 0.75 + i / 1440.0;
            const int bird = chooser.next(now, engine);
            const std::optional<double> predicted = book.recall(0, bird, now);
            const Learner::Outcome outcome = learner.answer(bird, now, engine);
            if (predicted)
                calibration.add(memory::chanceRight(*predicted), outcome.right);
            memory::Review review;
            review.at = now;
            review.bird = bird;
            review.answered = outcome.right ? bird : bird % birds + 1;
            review.right = outcome.right;
            review.elapsedMs = qint64(outcome.elapsedMs);
            book.add(review);
            history.push_back(review);
            chooser.answered(bird, outcome.right);
        }
    }
    Result result{0, 1};
    for (int bird = 1; bird <= birds; ++bird) {
        const double r = learner.recall(bird, Days + DaysAfter);
        result.mean += r / birds;
        result.weakest = std::min(result.weakest, r);
    }
    return result;
}

void simulate(int seeds)
{
    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(3);
    const std::array<std::pair<Learner::Model, const char*>, 2> models{
        {{Learner::Model::Fsrs, "fsrs"}, {Learner::Model::HalfLife, "halflife"}}};
    const std::array<std::pair<Policy, const char*>, 3> policies{
        {{Policy::Uniform, "uniform"}, {Policy::WeakFirst, "weakfirst"}, {Policy::Scheduler, "scheduler"}}};
    for (int birds : {40, 80})
        for (int perDay : {5, 10, 20})
            for (const auto& [model, modelName] : models)
                for (const auto& [policy, policyName] : policies) {
                    Calibration calibration;
                    Result sum;
                    for (int seed = 0; seed < seeds; ++seed) {
                        const Result one =
                            learn(model, policy, birds, perDay, unsigned(seed + 1), calibration);
                        sum.mean += one.mean / seeds;
                        sum.weakest += one.weakest / seeds;
                    }
                    out << "memory: birds=" << birds << " per_day=" << perDay << " model=" << modelName
                        << " policy=" << policyName << " mean=" << sum.mean << " weakest=" << sum.weakest
                        << " calibration_rmse=" << calibration.rmse() << Qt::endl;
                }
}

// A long history written in one go, then the replay asked of the history's thread.
void replay(int answers)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/piyo"_s;
    {
        SqliteHistory made(folder);
        made.start();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"fill"_s);
        db.setDatabaseName(folder + u"/history.sqlite"_s);
        db.open();
        db.transaction();
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-365);
        for (int i = 0; i < answers; ++i) {
            history::Answer answer;
            answer.at = start.addSecs(qint64(i) * 300);
            answer.mode = i % 3 ? history::QuizMode::PictureAndCall : history::QuizMode::ByEar;
            answer.shownBird = (i * 7) % 40 + 1;
            answer.answeredBird = i % 4 ? answer.shownBird : (i * 11) % 40 + 1;
            answer.right = answer.shownBird == answer.answeredBird;
            answer.elapsedMs = 800 + (i * 37) % 5000;
            history::database::insert(db, answer, nullptr);
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(u"fill"_s);

    {
        // Where the time goes: the query, then the replay itself.
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"split"_s);
        db.setDatabaseName(folder + u"/history.sqlite"_s);
        db.open();
        QElapsedTimer timer;
        timer.start();
        std::vector<memory::Review> reviews = history::database::reviews(db, Season::SpringSummer);
        const double read = double(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        const memory::MemoryBook book = memory::MemoryBook::replay(std::move(reviews));
        QTextStream(stdout) << "memory: replay answers=" << book.reviewCount() << " query " << read
                            << " ms, replay " << double(timer.nsecsElapsed()) / 1e6 << " ms\n";
        db.close();
    }
    QSqlDatabase::removeDatabase(u"split"_s);

    std::vector<double> times;
    SqliteHistory history(folder);
    QObject context;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        bool arrived = false;
        int count = 0;
        history.memory(Season::SpringSummer, 0, &context, [&](const history::Memory& memory) {
            arrived = true;
            count = memory ? memory->reviewCount() : -1;
        });
        while (!arrived)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (count != answers)
            QTextStream(stderr) << "replayed " << count << " answers of " << answers << '\n';
    }
    std::sort(times.begin(), times.end());
    QTextStream(stdout) << "memory: replay answers=" << answers << " median=" << times[2]
                        << " ms min=" << times[0] << " ms max=" << times[4]
                        << " ms (5 runs, the first opening the file)\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seeds = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const int answers = argc > 2 ? std::max(1, atoi(argv[2])) : 100'000;
    QElapsedTimer timer;
    timer.start();
    simulate(seeds);
    QTextStream(stdout) << "memory: simulation took " << timer.elapsed() / 1000.0 << " s\n";
    replay(answers);
    return 0;
}
