#include "ZoomIn.h"
#include "form/Form.h"
#include "form/PictureBox.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zoom::DesignRect)

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

    void zoomLeavesThePictureCentredAndStretched()
    {
        ControlSpec row;
        row.kind = ControlKind::PictureBox;
        row.name = u"Image1"_s;
        row.rect = {90, 510, 4470, 5415};
        Form form({u"zoom"_s, 9600, 5955, {}}, {row});
        PictureBox* box = form.picture(u"Image1"_s);
        box->setVisible(false);
        QPixmap picture(240, 180);
        picture.fill(Qt::red);
        box->setPicture(picture);
        zoom::zoomIn(*box, {510, 90, 4470, 5415});
        QVERIFY(box->stretch());
        QVERIFY(!box->isHidden());
        QCOMPARE(box->left(), 525.f);
        QCOMPARE(box->top(), 1867.5f);
        QCOMPARE(box->width(), 3600.f);
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
