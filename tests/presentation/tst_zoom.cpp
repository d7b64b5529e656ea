#include "Form.h"
#include "PictureBox.h"
#include "ZoomIn.h"

#include <QPointer>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zoom::DesignRect)

namespace {

const zoom::DesignRect Panel{510, 90, 4470, 5415};

std::unique_ptr<Form> panelForm()
{
    ControlSpec row;
    row.kind = ControlKind::PictureBox;
    row.name = u"Image1"_s;
    row.rect = {90, 510, 4470, 5415};
    return std::make_unique<Form>(WindowSpec{u"zoom"_s, 9600, 5955, {}}, std::vector<ControlSpec>{row});
}

// The box as a screen leaves it before a growth: hidden, unstretched, loaded.
PictureBox* loadedBox(Form& form, int width, int height)
{
    PictureBox* box = form.picture(u"Image1"_s);
    box->setVisible(false);
    QPixmap picture(width, height);
    picture.fill(Qt::red);
    box->setPicture(picture);
    return box;
}

} // namespace

class ZoomTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void framesOfTheWorkedExamples_data()
    {
        QTest::addColumn<float>("w");
        QTest::addColumn<float>("h");
        QTest::addColumn<zoom::DesignRect>("design");
        QTest::addColumn<int>("step");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        const zoom::DesignRect example{1000, 1000, 4000, 3000};
        QTest::newRow("example, step 1")
            << 2000.f << 1000.f << example << 1 << 2950.f << 2475.f << 100.f << 50.f;
        QTest::newRow("example, step 2")
            << 2000.f << 1000.f << example << 2 << 2900.f << 2450.f << 200.f << 100.f;
        QTest::newRow("example, step 10")
            << 2000.f << 1000.f << example << 10 << 2500.f << 2250.f << 1000.f << 500.f;
        QTest::newRow("example, step 19")
            << 2000.f << 1000.f << example << 19 << 2050.f << 2025.f << 1900.f << 950.f;
        QTest::newRow("example, step 20")
            << 2000.f << 1000.f << example << 20 << 2000.f << 2000.f << 2000.f << 1000.f;
        const zoom::DesignRect panel{510, 90, 4470, 5415};
        QTest::newRow("reference panel, step 1")
            << 3600.f << 2700.f << panel << 1 << 2235.f << 3150.f << 180.f << 135.f;
        QTest::newRow("reference panel, step 20")
            << 3600.f << 2700.f << panel << 20 << 525.f << 1867.5f << 3600.f << 2700.f;
        QTest::newRow("as large as the panel, step 1")
            << 4470.f << 5415.f << panel << 1 << 2213.25f << 3082.125f << 223.5f << 270.75f;
        QTest::newRow("as large as the panel, step 20")
            << 4470.f << 5415.f << panel << 20 << 90.f << 510.f << 4470.f << 5415.f;
        QTest::newRow("larger than the panel is not clamped")
            << 6000.f << 6000.f << panel << 20 << -675.f << 217.5f << 6000.f << 6000.f;
        QTest::newRow("odd difference gives halves")
            << 4455.f << 5400.f << panel << 20 << 97.5f << 517.5f << 4455.f << 5400.f;
    }
    void framesOfTheWorkedExamples()
    {
        QFETCH(float, w);
        QFETCH(float, h);
        QFETCH(zoom::DesignRect, design);
        QFETCH(int, step);
        const zoom::Frame frame = zoom::frames(w, h, design).at(step - 1);
        QTEST(frame.left, "left");
        QTEST(frame.top, "top");
        QTEST(frame.width, "width");
        QTEST(frame.height, "height");
    }

    // The growth is played by the event loop: every frame is set, in order,
    // exactly as computed, and the picture ends centred and stretched.
    void growthPlaysTheTwentyFramesInOrder()
    {
        auto form = panelForm();
        PictureBox* box = loadedBox(*form, 240, 180);
        auto* growth = new zoom::Growth(*box);
        QList<zoom::Frame> seen;
        connect(growth, &zoom::Growth::stepped, this, [&seen, box] {
            seen << zoom::Frame{box->left(), box->top(), box->width(), box->height()};
        });
        QCOMPARE(zoom::zoomIn(*box, Panel), growth);
        QVERIFY(box->stretch());
        QVERIFY(!box->isHidden());
        QVERIFY(growth->isRunning()); // the rest comes from the event loop
        QTRY_VERIFY(!growth->isRunning());
        const auto expected = zoom::frames(3600.f, 2700.f, Panel);
        QCOMPARE(seen.size(), zoom::Steps);
        for (int k = 0; k < zoom::Steps; ++k) {
            QCOMPARE(seen[k].left, expected[k].left);
            QCOMPARE(seen[k].top, expected[k].top);
            QCOMPARE(seen[k].width, expected[k].width);
            QCOMPARE(seen[k].height, expected[k].height);
        }
        QCOMPARE(box->left(), 525.f);
        QCOMPARE(box->top(), 1867.5f);
        QCOMPARE(box->width(), 3600.f);
    }

    // The frames stay the same twips at every window size; only the pixels
    // take the factor. At factor 2 each frame is twice its exact factor-1
    // pixels, rounded once (never a rounded factor-1 pixel doubled, which
    // would let the picture's centre wander by a pixel).
    void framesAtFactorTwoAreTwiceTheDesignFrames_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("reference example, 240 x 180") << 240 << 180;
        QTest::newRow("fills the panel, 298 x 361") << 298 << 361;
        QTest::newRow("odd sizes give halves, 201 x 151") << 201 << 151;
        QTest::newRow("larger than the panel, 500 x 420") << 500 << 420;
    }
    void framesAtFactorTwoAreTwiceTheDesignFrames()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        const auto grow = [&](double factor) {
            auto form = panelForm();
            form->setScale(factor);
            PictureBox* box = loadedBox(*form, width, height);
            QList<zoom::Frame> twips;
            QList<QRect> pixels;
            zoom::Growth* growth = zoom::zoomIn(*box, Panel);
            connect(growth, &zoom::Growth::stepped, this, [&, box] {
                twips << zoom::Frame{box->left(), box->top(), box->width(), box->height()};
                pixels << box->geometry();
            });
            twips << zoom::Frame{box->left(), box->top(), box->width(), box->height()};
            pixels << box->geometry();
            growth->finish();
            return std::pair{twips, pixels};
        };
        const auto [twips1, pixels1] = grow(1.0);
        const auto [twips2, pixels2] = grow(2.0);
        QCOMPARE(pixels2.size(), zoom::Steps);
        for (int k = 0; k < zoom::Steps; ++k) {
            QCOMPARE(twips2[k].left, twips1[k].left);
            QCOMPARE(twips2[k].width, twips1[k].width);
            const auto twice = [](float t) { return int(std::lround(2.0 * double(t) / 15.0)); };
            const zoom::Frame& f = twips1[k];
            const QRect exact(QPoint(twice(f.left), twice(f.top)),
                              QPoint(twice(f.left + f.width) - 1, twice(f.top + f.height) - 1));
            QCOMPARE(pixels2[k], exact);
            // and never more than a pixel from the design-size frame doubled
            QVERIFY(std::abs(pixels2[k].left() - 2 * pixels1[k].left()) <= 1);
            QVERIFY(std::abs(pixels2[k].top() - 2 * pixels1[k].top()) <= 1);
            QVERIFY(std::abs(pixels2[k].right() + 1 - 2 * (pixels1[k].right() + 1)) <= 1);
            QVERIFY(std::abs(pixels2[k].bottom() + 1 - 2 * (pixels1[k].bottom() + 1)) <= 1);
        }
    }

    // A second bird chosen while the first is still growing: the first growth
    // ends where it is, and the box ends with the second bird at its own size.
    void newGrowthEndsTheRunningOne()
    {
        auto form = panelForm();
        PictureBox* box = loadedBox(*form, 240, 180);
        zoom::Growth* first = zoom::zoomIn(*box, Panel);
        QTRY_VERIFY(box->width() > 500.f); // part of the way
        QVERIFY(first->isRunning());

        box->setVisible(false);
        box->setStretch(false);
        QPixmap second(100, 300);
        second.fill(Qt::blue);
        box->setPicture(second);
        QCOMPARE(zoom::zoomIn(*box, Panel), first); // one growth per box, started over
        QTRY_VERIFY(!first->isRunning());
        QCOMPARE(box->width(), 1500.f);
        QCOMPARE(box->height(), 4500.f);
        QCOMPARE(box->left(), 90.f + (4470.f - 1500.f) / 2.f);
        QCOMPARE(box->top(), 510.f + (5415.f - 4500.f) / 2.f);
    }

    // Leaving a screen destroys its window in the middle of a growth: nothing
    // of the growth may touch the box afterwards (ASan would see it).
    void windowClosedDuringAGrowthIsSafe()
    {
        auto form = panelForm();
        PictureBox* box = loadedBox(*form, 240, 180);
        QPointer<zoom::Growth> growth = zoom::zoomIn(*box, Panel);
        QVERIFY(growth && growth->isRunning());
        form.reset();
        QVERIFY(growth.isNull());
        QTest::qWait(50);
    }

    // The screens take the panel's design rectangle from the box as laid out;
    // top and left swapped would grow every bird towards the wrong centre.
    void designRectIsTheBoxAsLaidOut_data()
    {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<zoom::DesignRect>("design");
        QTest::newRow("the picture panel") << 90.f << 510.f << 4470.f << 5415.f << Panel;
        QTest::newRow("halves round away from zero")
            << 90.5f << 509.5f << 4470.25f << 5414.75f << zoom::DesignRect{510, 91, 4470, 5415};
    }

    void designRectIsTheBoxAsLaidOut()
    {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(zoom::DesignRect, design);
        ControlSpec row;
        row.kind = ControlKind::PictureBox;
        row.name = u"Image1"_s;
        row.rect = {left, top, width, height};
        Form form({u"zoom"_s, 9600, 5955, {}}, {row});
        const zoom::DesignRect found = zoom::designRectOf(*form.picture(u"Image1"_s));
        QCOMPARE(found.top, design.top);
        QCOMPARE(found.left, design.left);
        QCOMPARE(found.width, design.width);
        QCOMPARE(found.height, design.height);
    }

    // An empty box would divide by zero; it is left alone and hidden.
    void emptyBoxIsNotZoomed()
    {
        ControlSpec row;
        row.kind = ControlKind::PictureBox;
        row.name = u"Image1"_s;
        row.rect = {90, 510, 4470, 5415};
        Form form({u"zoom"_s, 9600, 5955, {}}, {row});
        PictureBox* box = form.picture(u"Image1"_s);
        box->setVisible(false);
        zoom::zoomIn(*box, {510, 90, 4470, 5415});
        QVERIFY(box->isHidden());
        QCOMPARE(box->width(), 4470.f);
    }
};

QTEST_MAIN(ZoomTest)
#include "tst_zoom.moc"
