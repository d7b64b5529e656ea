#include "Background.h"
#include "Form.h"
#include "Screen.h"
#include "Settle.h"

#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The smallest screen there is: a window with one label, and nothing to load.
class PlainScreen final : public Screen
{
protected:
    Form* buildForm() override
    {
        const WindowSpec window{u"plain"_s, 3000, 1500, {}};
        const std::vector<ControlSpec> controls{
            labelRow(u"Label1"_s, u"a"_s, {0, 0, 1500, 300}, {}, Qt::white, Qt::black, Align::Left, false)};
        return new Form(window, controls, {}, windowScale());
    }
    void load() override {}
};

// Work that waits on the worker until the test lets it go, so its answer
// arrives after whatever the test does meanwhile. Bounded: a test that never
// lets it go still ends.
struct HeldWork
{
    std::shared_ptr<QSemaphore> gate = std::make_shared<QSemaphore>();
    std::shared_ptr<std::atomic<bool>> returned = std::make_shared<std::atomic<bool>>(false);

    auto work(int answer) const
    {
        return [gate = gate, returned = returned, answer] {
            gate->tryAcquire(1, 10000);
            returned->store(true);
            return answer;
        };
    }
    void release() const { gate->release(); }
};

} // namespace

class BackgroundTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyTheLatestAnswerIsApplied_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("close");
        QTest::addColumn<QList<int>>("applied");
        // A bird clicked, then another before the first one's picture was
        // read: the first picture arriving late must not replace the second.
        QTest::newRow("a second request overtakes the first") << false << false << QList<int>{2};
        QTest::newRow("cancelled after the second") << true << false << QList<int>{2};
        QTest::newRow("the screen closed after the second") << false << true << QList<int>{2};
    }
    void onlyTheLatestAnswerIsApplied()
    {
        QFETCH(bool, cancel);
        QFETCH(bool, close);
        QFETCH(QList<int>, applied);
        PlainScreen screen;
        screen.show();
        LatestRequest request;
        QList<int> done;
        const HeldWork first;
        request.start(screen, first.work(1), [&done](int answer) { done.push_back(answer); });
        request.start(
            screen, [] { return 2; }, [&done](int answer) { done.push_back(answer); });
        QTRY_COMPARE_WITH_TIMEOUT(done, QList<int>{2}, 5000); // while the first is still held
        QVERIFY(!first.returned->load());
        if (cancel)
            request.cancel();
        if (close)
            screen.close();
        first.release();
        QTRY_VERIFY_WITH_TIMEOUT(first.returned->load(), 5000);
        QVERIFY(settle(qApp));
        QCOMPARE(done, applied);
    }

    void nothingArrivesOnceNoLongerWanted_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("close");
        QTest::newRow("cancelled") << true << false;
        QTest::newRow("the screen closed") << false << true;
    }
    // A description asked for and then closed, or a screen left while its
    // files were read: what arrives then has nowhere to go.
    void nothingArrivesOnceNoLongerWanted()
    {
        QFETCH(bool, cancel);
        QFETCH(bool, close);
        PlainScreen screen;
        screen.show();
        LatestRequest request;
        QList<int> done;
        const HeldWork held;
        request.start(screen, held.work(1), [&done](int answer) { done.push_back(answer); });
        if (cancel)
            request.cancel();
        if (close)
            screen.close();
        held.release();
        QTRY_VERIFY_WITH_TIMEOUT(held.returned->load(), 5000);
        QVERIFY(settle(qApp));
        QCOMPARE(done, QList<int>{});
        // The request still works for what is asked next.
        if (!screen.isOpen())
            screen.show();
        request.start(
            screen, [] { return 3; }, [&done](int answer) { done.push_back(answer); });
        QTRY_COMPARE_WITH_TIMEOUT(done, QList<int>{3}, 5000);
    }
};

QTEST_MAIN(BackgroundTest)
#include "tst_background.moc"
