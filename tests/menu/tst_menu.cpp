#include "Fonts.h"
#include "Form.h"
#include "FormLabel.h"
#include "MenuScreen.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList visibleLabels(const MenuScreen& menu)
{
    QStringList visible;
    for (int i = 1; i <= 14; ++i)
        if (menu.form()->label(u"Label%1"_s.arg(i))->isVisible())
            visible << u"Label%1"_s.arg(i);
    return visible;
}

// Clicks where the label lies; a hidden label is not there to take it.
void click(MenuScreen& menu, const QString& label)
{
    Form* window = menu.form();
    const QPoint point = window->label(label)->geometry().center();
    if (QWidget* target = window->childAt(point))
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, point));
}

// The items that take a click, on every level: white captions on red.
const QStringList Items{u"Label3"_s, u"Label4"_s,  u"Label5"_s,  u"Label7"_s, u"Label8"_s,
                        u"Label9"_s, u"Label11"_s, u"Label12"_s, u"Label13"_s};

// How much white a caption puts on its red ground, per square pixel of its
// type size: the same at every size for the same caption in the same weight.
double inkPerSquarePixel(FormLabel& label)
{
    const QImage drawn = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    double ink = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            ink += qGreen(drawn.pixel(x, y)) / 255.0; // red ground and black border have none
    const double size = QFontInfo(label.font()).pixelSize();
    return ink / (size * size);
}

const QStringList MainLevel =
    QStringList{u"Label1"_s, u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label5"_s, u"Label14"_s};

} // namespace

class MenuTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installJapaneseFonts(); }

    void menuOpensAtTheMainLevel()
    {
        MenuScreen menu;
        menu.show();
        QCOMPARE(visibleLabels(menu), MainLevel);
        QCOMPARE(menu.form()->windowTitle(), u"ピヨメニュー"_s);
        QCOMPARE(menu.form()->size(), QSize(640, 400));
        QCOMPARE(menu.form()->label(u"Label5"_s)->text(), u"■終　　  了"_s);
    }

    void clicksMoveBetweenLevels_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("visible");
        QTest::newRow("look-up submenu")
            << QStringList{u"Label3"_s} << QStringList{u"Label1"_s, u"Label2"_s, u"Label6"_s, u"Label7"_s,
                                                       u"Label8"_s, u"Label9"_s, u"Label14"_s};
        QTest::newRow("quiz submenu")
            << QStringList{u"Label4"_s} << QStringList{u"Label1"_s,  u"Label2"_s,  u"Label10"_s, u"Label11"_s,
                                                       u"Label12"_s, u"Label13"_s, u"Label14"_s};
        QTest::newRow("back from look-up") << QStringList{u"Label3"_s, u"Label9"_s} << MainLevel;
        QTest::newRow("back from quiz") << QStringList{u"Label4"_s, u"Label13"_s} << MainLevel;
        QTest::newRow("look-up, back, quiz leaves nothing of look-up")
            << QStringList{u"Label3"_s, u"Label9"_s, u"Label4"_s}
            << QStringList{u"Label1"_s,  u"Label2"_s,  u"Label10"_s, u"Label11"_s,
                           u"Label12"_s, u"Label13"_s, u"Label14"_s};
        QTest::newRow("headings and title do nothing")
            << QStringList{u"Label3"_s, u"Label6"_s, u"Label1"_s, u"Label2"_s, u"Label14"_s}
            << QStringList{u"Label1"_s, u"Label2"_s, u"Label6"_s, u"Label7"_s,
                           u"Label8"_s, u"Label9"_s, u"Label14"_s};
        QTest::newRow("hidden items take no click") << QStringList{u"Label7"_s, u"Label13"_s} << MainLevel;
    }
    void clicksMoveBetweenLevels()
    {
        QFETCH(QStringList, clicks);
        MenuScreen menu;
        menu.show();
        QSignalSpy switches(&menu, &Screen::switchRequested);
        for (const QString& label : clicks)
            click(menu, label);
        QTEST(visibleLabels(menu), "visible");
        QCOMPARE(switches.count(), 0);
    }

    void seasonItemsAskForTheirScreens_data()
    {
        QTest::addColumn<QString>("submenu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<ScreenId>("target");
        QTest::newRow("ピヨ調べ 春夏") << u"Label3"_s << u"Label7"_s << ScreenId::SpringSummerReference;
        QTest::newRow("ピヨ調べ 秋冬") << u"Label3"_s << u"Label8"_s << ScreenId::AutumnWinterReference;
        QTest::newRow("ピヨ探し 春夏") << u"Label4"_s << u"Label11"_s << ScreenId::SpringSummerQuiz;
        QTest::newRow("ピヨ探し 秋冬") << u"Label4"_s << u"Label12"_s << ScreenId::AutumnWinterQuiz;
    }
    void seasonItemsAskForTheirScreens()
    {
        QFETCH(QString, submenu);
        QFETCH(QString, item);
        MenuScreen menu;
        menu.show();
        QSignalSpy switches(&menu, &Screen::switchRequested);
        click(menu, submenu);
        click(menu, item);
        QCOMPARE(switches.count(), 1);
        QTEST(switches.at(0).at(0).value<ScreenId>(), "target");
    }

    void reopenedMenuIsBackAtTheMainLevel()
    {
        MenuScreen menu;
        menu.show();
        click(menu, u"Label4"_s);
        menu.close();
        menu.show();
        QCOMPARE(visibleLabels(menu), MainLevel);
    }

    // The longest captions must fit their labels on one line in the IPA fonts.
    void captionsFitTheirLabels()
    {
        MenuScreen menu;
        menu.show();
        for (int i = 1; i <= 14; ++i) {
            const FormLabel* label = menu.form()->label(u"Label%1"_s.arg(i));
            const QRect ink = label->fontMetrics().tightBoundingRect(label->text());
            QVERIFY2(ink.right() < label->contentsRect().width(), qPrintable(label->text()));
        }
    }

    void itemsKeepTheirTypeAtEveryScale_data()
    {
        QTest::addColumn<double>("factor");
        for (int percent = 100; percent <= 300; percent += 25)
            QTest::addRow("%d %%", percent) << percent / 100.0;
    }
    // Above some 64 pixels Qt draws glyphs as outlines, which lost the bold
    // drawn over the regular IPA face: the items turned thin at 225 % and up.
    void itemsKeepTheirTypeAtEveryScale()
    {
        QFETCH(double, factor);
        const Form design(menu::window(), menu::controls());
        Form scaled(menu::window(), menu::controls());
        scaled.setScale(factor);
        for (const QString& name : Items) {
            FormLabel& atDesign = *design.label(name);
            FormLabel& atScale = *scaled.label(name);
            const QFontInfo wanted(atDesign.font());
            const QFontInfo got(atScale.font());
            QCOMPARE(got.family(), wanted.family());
            QCOMPARE(got.weight(), wanted.weight());
            QCOMPARE(got.italic(), wanted.italic());
            const double weight = inkPerSquarePixel(atScale) / inkPerSquarePixel(atDesign);
            QVERIFY2(weight > 0.9 && weight < 1.1,
                     qPrintable(
                         u"%1 at %2: %3 of the ink at the design size"_s.arg(name).arg(factor).arg(weight)));
        }
    }
};

QTEST_MAIN(MenuTest)
#include "tst_menu.moc"
