#include "Form.h"
#include "FormLabel.h"
#include "FormScale.h"
#include "ListBox.h"
#include "MenuLayout.h"
#include "PictureBox.h"
#include "PictureLoader.h"
#include "QuizLayout.h"
#include "ReferenceLayout.h"
#include "Settings.h"

#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Layout
{
    WindowSpec window;
    std::vector<ControlSpec> controls;
};

Layout layoutNamed(const QString& name)
{
    if (name == u"menu"_s)
        return {menu::window(), menu::controls()};
    const Season season = name.endsWith(u"spring/summer"_s) ? Season::SpringSummer : Season::AutumnWinter;
    if (name.startsWith(u"quiz"_s)) {
        const auto& table = quiz::seasonTable(season);
        return {quiz::window(table), quiz::controls(table)};
    }
    const auto& table = reference::seasonTable(season);
    return {reference::window(table), reference::controls(table)};
}

bool windowed(const ControlSpec& row)
{
    return row.kind == ControlKind::ListBox || row.kind == ControlKind::Button;
}

bool onForm(const ControlSpec& row)
{
    return row.kind != ControlKind::Timer && row.kind != ControlKind::MediaPlayer;
}

// The control that a click at `point` reaches, by the table alone: windowed
// controls above all others, otherwise the first visible row listed.
const ControlSpec* frontAt(const std::vector<ControlSpec>& rows, QPoint point)
{
    for (bool upper : {true, false})
        for (const ControlSpec& row : rows)
            if (onForm(row) && row.visible && windowed(row) == upper &&
                toPixels(row.rect, 1.0).contains(point))
                return &row;
    return nullptr;
}

QString key(const ControlSpec& row)
{
    return row.index < 0 ? row.name : u"%1(%2)"_s.arg(row.name).arg(row.index);
}

} // namespace

class ScalingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QFile::remove(Settings::defaultPath()); }

    void everyControlLandsOnItsTwipsTimesTheFactor_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<double>("factor");
        const QStringList screens{u"menu"_s, u"quiz spring/summer"_s, u"quiz autumn/winter"_s,
                                  u"reference spring/summer"_s, u"reference autumn/winter"_s};
        for (const QString& screen : screens)
            for (double factor : {1.0, 1.25, 1.5, 2.0, 3.0})
                QTest::addRow("%s at %g", qPrintable(screen), factor) << screen << factor;
    }
    // A control off by a pixel at some size looks ragged; one that drifts
    // takes clicks meant for its neighbour.
    void everyControlLandsOnItsTwipsTimesTheFactor()
    {
        QFETCH(QString, screen);
        QFETCH(double, factor);
        const Layout layout = layoutNamed(screen);
        Form form(layout.window, layout.controls);
        form.setScale(factor);
        QCOMPARE(form.size(), QSize(twipsToPixels(layout.window.clientWidth, factor),
                                    twipsToPixels(layout.window.clientHeight, factor)));
        int placed = 0;
        for (const ControlSpec& row : layout.controls) {
            if (!onForm(row))
                continue;
            const QRect expected = toPixels(row.rect, factor);
            if (row.kind == ControlKind::PictureBox) {
                PictureBox* box = form.picture(row.name);
                // A box with a picture of its own takes the picture's size.
                const TwipsRect own{box->left(), box->top(), box->width(), box->height()};
                QCOMPARE(box->geometry(), toPixels(own, factor));
                QCOMPARE(box->left(), row.rect.left);
            } else if (row.kind == ControlKind::ListBox) {
                const QRect got = form.list(row.name)->geometry();
                QCOMPARE(got.topLeft(), expected.topLeft());
                QCOMPARE(got.width(), expected.width());
                QVERIFY(got.height() <= expected.height()); // whole rows only
                QVERIFY(got.height() > expected.height() - form.list(row.name)->rowHeight());
            } else {
                QWidget* widget = form.findChild<QWidget*>(key(row));
                QVERIFY(widget);
                QCOMPARE(widget->geometry(), expected);
            }
            ++placed;
        }
        QVERIFY(placed >= 5);
    }

    void controlsLandOnHandComputedPixels_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QRect>("expected");
        // Worked out by hand from the layout tables: each edge is its twips
        // × factor / 15, rounded half away from zero; a size is the far edge
        // less the near one. Edges are given as exact → rounded where they fall
        // between pixels; rounding the sizes instead would give the size noted.
        auto row = [](const char* screen, const char* control, double factor, QRect expected) {
            QTest::addRow("%s %s at %g", screen, control, factor)
                << QString::fromUtf8(screen) << QString::fromUtf8(control) << factor << expected;
        };
        // At the design size every edge is a whole pixel.
        row("menu", "Label1", 1.0, QRect(326, 48, 145, 137));
        row("quiz spring/summer", "Label8", 1.0, QRect(6, 196, 298, 37));
        row("reference spring/summer", "Command1", 1.0, QRect(220, 356, 75, 27));
        // 125 %: quarters of a pixel.
        // top 16.25 → 16, bottom 52.5 → 53: 37 high (36 by its size)
        row("menu", "Label14", 1.25, QRect(510, 16, 181, 37));
        // top 311.25 → 311, bottom 352.5 → 353: 42 high (41 by its size)
        row("menu", "Label7", 1.25, QRect(530, 311, 141, 42));
        // left 681.25 → 681, right 792.5 → 793: 112 wide (111 by its size)
        row("quiz spring/summer", "Label4", 1.25, QRect(681, 9, 112, 26));
        // left 7.5 → 8, right 380: 372 wide (373 by its size)
        row("quiz spring/summer", "Label8", 1.25, QRect(8, 245, 372, 46));
        // left 211.25 → 211, right 472.5 → 473: 262 wide (261 by its size)
        row("reference spring/summer", "Label3", 1.25, QRect(211, 9, 262, 24));
        // top 6.25 → 6, bottom 32.5 → 33: 27 high (26 by its size)
        row("reference spring/summer", "Label2", 1.25, QRect(9, 6, 164, 27));
        // 150 %: halves.
        // top 19.5 → 20, bottom 63: 43 high (44 by its size)
        row("menu", "Label14", 1.5, QRect(612, 20, 218, 43));
        // top 373.5 → 374, bottom 423: 49 high (50 by its size)
        row("menu", "Label7", 1.5, QRect(636, 374, 170, 49));
        // top 10.5 → 11, bottom 42: 31 high (32 by its size)
        row("quiz spring/summer", "Label5", 1.5, QRect(306, 11, 101, 31));
        // left 817.5 → 818, right 951: 133 wide (134 by its size)
        row("quiz spring/summer", "Label4", 1.5, QRect(818, 11, 133, 31));
        // left 253.5 → 254, right 567: 313 wide (314 by its size)
        row("reference spring/summer", "Label3", 1.5, QRect(254, 11, 313, 28));
        // left 10.5 → 11, top 7.5 → 8: 196 × 31 (197 × 32 by its size)
        row("reference spring/summer", "Label2", 1.5, QRect(11, 8, 196, 31));
        // right 442.5 → 443, bottom 574.5 → 575
        row("reference spring/summer", "Command1", 1.5, QRect(330, 534, 113, 41));
        // Twice and three times: whole pixels again.
        row("menu", "Label3", 2.0, QRect(800, 424, 322, 70));
        row("quiz spring/summer", "Label7", 2.0, QRect(754, 14, 120, 42));
        row("reference spring/summer", "Label5", 2.0, QRect(1092, 12, 178, 42));
        row("menu", "Label1", 3.0, QRect(978, 144, 435, 411));
        row("quiz spring/summer", "Label4", 3.0, QRect(1635, 21, 267, 63));
        row("reference spring/summer", "Label3", 3.0, QRect(507, 21, 627, 57));
    }
    // The same controls against rectangles worked out apart from the code
    // that places them: rounding each size rather than each edge leaves a
    // pixel's gap or overlap between controls that meet, and passes any test
    // that asks the placing code for its own answer.
    void controlsLandOnHandComputedPixels()
    {
        QFETCH(QString, screen);
        QFETCH(QString, control);
        QFETCH(double, factor);
        QFETCH(QRect, expected);
        const Layout layout = layoutNamed(screen);
        Form form(layout.window, layout.controls);
        form.setScale(factor);
        QWidget* widget = form.findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), expected);
    }

    void labelCentreTakesItsOwnClick_data() { everyControlLandsOnItsTwipsTimesTheFactor_data(); }
    // Hit areas scale with the window: a click on a name's centre reaches that
    // name at every size.
    void labelCentreTakesItsOwnClick()
    {
        QFETCH(QString, screen);
        QFETCH(double, factor);
        const Layout layout = layoutNamed(screen);
        Form form(layout.window, layout.controls);
        form.setScale(factor);
        int checked = 0;
        for (const ControlSpec& row : layout.controls) {
            if (row.kind != ControlKind::Label || !row.visible)
                continue;
            const QRect design = toPixels(row.rect, 1.0);
            if (frontAt(layout.controls, design.center()) != &row)
                continue; // covered by a control in front at every size
            FormLabel* label = form.label(row.name, row.index);
            const QPoint centre = label->geometry().center();
            QCOMPARE(form.childAt(centre), label);
            ++checked;
        }
        QVERIFY(checked >= 3);
    }

    void fontsAndBordersScale_data()
    {
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("namePixels");
        QTest::addColumn<int>("border");
        QTest::newRow("design size") << 1.0 << 16 << 1;
        QTest::newRow("125 %") << 1.25 << 20 << 1;
        QTest::newRow("150 %") << 1.5 << 24 << 1;
        QTest::newRow("200 %") << 2.0 << 32 << 2;
        QTest::newRow("300 %") << 3.0 << 48 << 3;
    }
    // Names grow with the window; borders stay whole pixels (no half-pixel blur).
    void fontsAndBordersScale()
    {
        QFETCH(double, factor);
        QFETCH(int, namePixels);
        QFETCH(int, border);
        const Layout layout = layoutNamed(u"quiz spring/summer"_s);
        Form form(layout.window, layout.controls);
        form.setScale(factor);
        QCOMPARE(form.label(u"Label1"_s, 0)->font().pixelSize(), namePixels);
        FormLabel* link = nullptr;
        for (const ControlSpec& row : layout.controls)
            if (row.kind == ControlKind::Label && row.border && !link)
                link = form.label(row.name, row.index);
        QVERIFY(link);
        QCOMPARE(link->contentsMargins().left(), border);
        QCOMPARE(form.list(quiz::Results)->frameWidth(), 2 * border); // a sunken box: two lines
        link->resize(link->size()); // paint it and look at the border's pixels
        const QImage shot = link->grab().toImage();
        for (int x = 0; x < border; ++x)
            QCOMPARE(shot.pixelColor(x, shot.height() / 2), QColor(Qt::black));
        QVERIFY(shot.pixelColor(border, shot.height() / 2) != QColor(Qt::black));
    }

    // The finer artwork is the design-size picture with every pixel a square
    // of whole pixels: rules stay sharp, and the layout still lines up.
    void finerBoardIsTheBoardInWholePixels_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::newRow("2x") << 2;
        QTest::newRow("3x") << 3;
    }
    void finerBoardIsTheBoardInWholePixels()
    {
        QFETCH(int, ratio);
        const QImage board(u":/artwork/board.gif"_s);
        const QImage finer(u":/artwork/board@%1x.gif"_s.arg(ratio));
        QCOMPARE(finer.size(), board.size() * ratio);
        for (int y = 0; y < board.height(); y += 3)
            for (int x = 0; x < board.width(); ++x)
                for (int d = 0; d < ratio; ++d)
                    QCOMPARE(finer.pixelColor(x * ratio + d, y * ratio + ratio - 1 - d),
                             board.pixelColor(x, y));
        for (const QString& name : {u"menu"_s, u"score"_s, u"icon"_s})
            QCOMPARE(QImage(u":/artwork/%1@%2x.gif"_s.arg(name).arg(ratio)).size(),
                     QImage(u":/artwork/%1.gif"_s.arg(name)).size() * ratio);
    }

    // At 200 % the window draws the 2x board pixel for pixel: a grid rule one
    // pixel wide at the design size is two sharp pixels, not a blur.
    void boardAtTwiceTheSizeIsSharp()
    {
        const Layout layout = layoutNamed(u"quiz spring/summer"_s);
        Form form(layout.window, layout.controls);
        form.setScale(2.0);
        const QImage shot = form.grab(QRect(600, 700, 60, 20)).toImage(); // below the names
        const QColor magenta(252, 2, 252);
        const QColor blue(4, 2, 164);
        const int y = 10;
        QCOMPARE(shot.pixelColor(619 - 600, y), QColor(4, 170, 164)); // teal outside the grid
        QCOMPARE(shot.pixelColor(620 - 600, y), magenta);
        QCOMPARE(shot.pixelColor(621 - 600, y), magenta);
        QCOMPARE(shot.pixelColor(622 - 600, y), blue);
    }

    // A larger window reads the finer copy of a picture when there is one, and
    // it keeps the plain picture's size on the screen.
    void finerPictureCopyIsReadForLargerWindows_data()
    {
        QTest::addColumn<double>("fineness");
        QTest::addColumn<bool>("brokenCopy");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("design size: the plain picture") << 1.0 << false << QColor(Qt::red) << 1.0;
        QTest::newRow("150 %: the 2x copy") << 1.5 << false << QColor(Qt::blue) << 2.0;
        QTest::newRow("300 %: the finest there is") << 3.0 << false << QColor(Qt::blue) << 2.0;
        QTest::newRow("a broken copy: the plain picture") << 2.0 << true << QColor(Qt::red) << 1.0;
    }
    void finerPictureCopyIsReadForLargerWindows()
    {
        QFETCH(double, fineness);
        QFETCH(bool, brokenCopy);
        QFETCH(QColor, colour);
        QFETCH(qreal, ratio);
        QTemporaryDir dir;
        QImage plain(30, 20, QImage::Format_RGB32);
        plain.fill(Qt::red);
        QVERIFY(plain.save(dir.filePath(u"b1.png"_s)));
        QImage twice(60, 40, QImage::Format_RGB32);
        twice.fill(Qt::blue);
        if (brokenCopy) {
            QFile file(dir.filePath(u"b1@2x.png"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a picture");
        } else {
            QVERIFY(twice.save(dir.filePath(u"b1@2x.png"_s)));
        }
        const QImage read = readPicture(dir.filePath(u"b1.png"_s), fineness);
        QCOMPARE(read.pixelColor(0, 0), colour);
        QCOMPARE(read.devicePixelRatio(), ratio);
        QCOMPARE(read.deviceIndependentSize(), QSizeF(30, 20));
    }

    void stepsByKeys_data()
    {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("up");
        QTest::addColumn<double>("down");
        QTest::newRow("design size") << 1.0 << 1.25 << 1.0;
        QTest::newRow("on a step") << 1.5 << 1.75 << 1.25;
        QTest::newRow("between steps, from the frame") << 1.6 << 1.75 << 1.5;
        QTest::newRow("largest") << 3.0 << 3.0 << 2.75;
    }
    void stepsByKeys()
    {
        QFETCH(double, from);
        QFETCH(double, up);
        QFETCH(double, down);
        QCOMPARE(formscale::larger(from), up);
        QCOMPARE(formscale::smaller(from), down);
    }

    // A step that would not fit the screen is not taken.
    void stepsStopAtTheScreensEdge()
    {
        const QSize design(640, 400);
        const double fit = formscale::fitting(design, QSize(10, 30), QRect(0, 0, 1024, 768));
        QCOMPARE(fit, std::min(1014.0 / 640, 738.0 / 400));
        QCOMPARE(formscale::larger(1.25, fit), 1.5);
        QCOMPARE(formscale::larger(1.5, fit), 1.5);
    }

    // The offscreen screen is 800 pixels wide: room for the design size and
    // its frame, not for a step more. Larger steps are seen under Xvfb.
    void keysStepTheFactorAndItIsRemembered()
    {
        const Layout layout = layoutNamed(u"menu"_s);
        {
            Settings settings;
            Form form(layout.window, layout.controls, {}, settings.scale());
            QCOMPARE(form.scale(), 1.0); // first start: the design size
            form.show();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QTest::keyClick(form.windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
            QCOMPARE(form.scale(), 1.0); // 125 % would not fit
            QCOMPARE(form.size(), QSize(640, 400));
        }
        Form next(layout.window, layout.controls, {}, 1.5);
        QSignalSpy chosen(&next, &Form::scaleChosen);
        QCOMPARE(next.scale(), 1.5);
        QCOMPARE(next.size(), QSize(960, 600));
        next.show();
        next.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&next));
        QTest::keyClick(next.windowHandle(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(next.scale(), 1.25);
        QCOMPARE(next.size(), QSize(800, 500));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.last().at(0).toDouble(), 1.25);
        QTest::keyClick(next.windowHandle(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(next.scale(), 1.0);
        QCOMPARE(chosen.last().at(0).toDouble(), 1.0);
        {
            Settings settings;
            settings.setScale(chosen.last().at(0).toDouble());
        }
        Form last(layout.window, layout.controls, {}, Settings().scale());
        QCOMPARE(last.size(), QSize(640, 400));
    }

    // A factor remembered on a larger screen is brought down to what fits.
    void opensAtWhatFitsTheScreen()
    {
        const Layout layout = layoutNamed(u"menu"_s);
        Form form(layout.window, layout.controls, {}, 3.0);
        QSignalSpy chosen(&form, &Form::scaleChosen);
        form.showCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.scale() < 1.3); // the offscreen screen is about 800 pixels wide
        QCOMPARE(chosen.size(), 0);  // 3 is kept for the larger screen
    }

    void unreadableStoredFactorOpensAtTheDesignSize_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("factor");
        QTest::newRow("words") << QVariant(u"large"_s) << 1.0;
        QTest::newRow("below the design size") << QVariant(0.5) << 1.0;
        QTest::newRow("beyond the largest") << QVariant(12.0) << 3.0;
        QTest::newRow("a factor from the frame") << QVariant(1.6) << 1.6;
    }
    void unreadableStoredFactorOpensAtTheDesignSize()
    {
        QFETCH(QVariant, stored);
        QFETCH(double, factor);
        QSettings(Settings::defaultPath(), QSettings::IniFormat).setValue(u"window/scale"_s, stored);
        QCOMPARE(Settings().scale(), factor);
    }

    // Dragging the frame: the factor follows the smaller of the two ratios and
    // the window takes the shape of its design again.
    void frameResizeKeepsTheShape_data()
    {
        QTest::addColumn<QSize>("dragged");
        QTest::addColumn<QSize>("settled");
        QTest::newRow("wider than tall") << QSize(1280, 500) << QSize(800, 500);
        QTest::newRow("taller than wide") << QSize(960, 1000) << QSize(960, 600);
        QTest::newRow("below the design size") << QSize(500, 300) << QSize(640, 400);
    }
    void frameResizeKeepsTheShape()
    {
        QFETCH(QSize, dragged);
        QFETCH(QSize, settled);
        const Layout layout = layoutNamed(u"menu"_s);
        Form form(layout.window, layout.controls);
        QSignalSpy chosen(&form, &Form::scaleChosen);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.windowHandle()->resize(dragged); // as the window manager would
        QTRY_COMPARE(form.size(), settled);
        // What is remembered is what the window shows (a drag below the design
        // size never reaches the window: nothing new to remember).
        QCOMPARE(chosen.isEmpty() ? 1.0 : chosen.last().at(0).toDouble(), form.scale());
    }
};

QTEST_MAIN(ScalingTest)
#include "tst_scaling.moc"
