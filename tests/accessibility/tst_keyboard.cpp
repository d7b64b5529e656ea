#include "Feedback.h"
#include "Fonts.h"
#include "Form.h"
#include "FormAccessibility.h"
#include "FormLabel.h"
#include "Keyboard.h"
#include "ListBox.h"
#include "Palette.h"
#include "PictureBox.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A board of two columns of three names, a link above it, a list and a
// click area over the board, hidden until opened.
std::vector<ControlSpec> table()
{
    const FontSpec font{typeface::Mincho, 12, true};
    std::vector<ControlSpec> rows;
    rows.push_back(labelRow(u"Back"_s, u"■メニュー"_s, {3000, 90, 1335, 315}, font, palette::Red,
                            palette::White, Align::Left, true));
    rows.push_back(controlRow(ControlKind::ListBox, u"List"_s, {300, 1500, 3000, 1500}, false));
    rows.push_back(controlRow(ControlKind::PictureBox, u"Cover"_s, {0, 0, 6000, 4000}, false));
    for (int i = 0; i < 6; ++i) {
        ControlSpec name = labelRow(u"Name"_s, u"鳥%1"_s.arg(i),
                                    {i < 3 ? 300.0f : 2700.0f, 540.0f + 270 * float(i % 3), 2400, 240}, font,
                                    palette::DarkBlue, palette::White, Align::Left, false);
        name.index = i;
        rows.push_back(name);
    }
    return rows;
}

struct Rig
{
    explicit Rig(double scale = 1.0) : form({u"試験"_s, 6000, 4000, {}}, table(), {}, scale)
    {
        for (int i = 0; i < 6; ++i)
            QObject::connect(form.label(u"Name"_s, i), &FormLabel::clicked, &form,
                             [this, i] { clicked << i; });
        QObject::connect(form.label(u"Back"_s), &FormLabel::clicked, &form, [this] { clicked << -1; });
        QObject::connect(form.list(u"List"_s), &ListBox::clicked, &form, [this] {
            form.list(u"List"_s)->hide();
            form.picture(u"Cover"_s)->hide();
        });
        form.setEscape([this] { return form.label(u"Back"_s); });
        form.showCentred();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    FormLabel* name(int i) const { return form.label(u"Name"_s, i); }
    void key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    Form form;
    QList<int> clicked;
};

} // namespace

Q_DECLARE_METATYPE(quiz::Judgement)

class KeyboardTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        installJapaneseFonts();
        installAccessibility();
    }

    // The window opens on the board; Tab goes down a column, then the next,
    // then on to the link above and round again.
    void tabGoesThroughTheBoardInItsOrder()
    {
        Rig rig;
        QCOMPARE(QApplication::focusWidget(), rig.name(0));
        QList<QWidget*> visited;
        for (int i = 0; i < 7; ++i) {
            rig.key(Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, (QList<QWidget*>{rig.name(1), rig.name(2), rig.name(3), rig.name(4), rig.name(5),
                                           rig.form.label(u"Back"_s), rig.name(0)}));
        rig.key(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), rig.form.label(u"Back"_s));
    }

    void arrowsMoveOnTheBoard_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("down the column") << 0 << int(Qt::Key_Down) << 1;
        QTest::newRow("up the column") << 4 << int(Qt::Key_Up) << 3;
        QTest::newRow("up at the top stays") << 3 << int(Qt::Key_Up) << 3;
        QTest::newRow("down at the foot stays, never into the next column") << 2 << int(Qt::Key_Down) << 2;
        QTest::newRow("right to the same row") << 1 << int(Qt::Key_Right) << 4;
        QTest::newRow("left to the same row") << 5 << int(Qt::Key_Left) << 2;
    }
    void arrowsMoveOnTheBoard()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        Rig rig;
        rig.name(from)->setFocus();
        rig.key(key);
        QCOMPARE(QApplication::focusWidget(), rig.name(to));
    }

    // A key press is the click, once; a label covered by another takes no
    // keys, as the mouse could not click it either.
    void enterOrSpaceIsTheClickUnlessCovered()
    {
        Rig rig;
        rig.name(2)->setFocus();
        rig.key(Qt::Key_Return);
        rig.key(Qt::Key_Space);
        QCOMPARE(rig.clicked, (QList<int>{2, 2}));
        rig.form.picture(u"Cover"_s)->show();
        rig.key(Qt::Key_Return);
        QCOMPARE(rig.clicked.size(), 2);
    }

    // A mouse user never sees the mark, nor does a click move the focus.
    void mouseClickLeavesFocusAndMarkAlone()
    {
        Rig rig;
        QTest::mouseClick(rig.name(4), Qt::LeftButton, {}, rig.name(4)->rect().center());
        QCOMPARE(rig.clicked, QList<int>{4});
        QCOMPARE(QApplication::focusWidget(), rig.name(0));
        QVERIFY(!keyboard::showsFocusMark(*rig.name(0)));
    }

    // The mark: the label's text colour just inside its edge, a line wide at
    // the window's factor, nothing more.
    void focusMarkGrowsWithTheWindow_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("width");
        QTest::newRow("design size") << 1.0 << 1;
        QTest::newRow("twice") << 2.0 << 2;
    }
    void focusMarkGrowsWithTheWindow()
    {
        QFETCH(double, scale);
        QFETCH(int, width);
        Rig rig(scale);
        rig.key(Qt::Key_Down); // keys in use: the mark shows on name 1
        const QImage drawn = rig.name(1)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int ratio = int(drawn.devicePixelRatio());
        const int y = drawn.height() / 2;
        for (int x = 0; x < width * ratio; ++x)
            QCOMPARE(QColor(drawn.pixel(x, y)), palette::White);
        QCOMPARE(QColor(drawn.pixel(width * ratio, y)), palette::DarkBlue);
        const QImage unfocused = rig.name(2)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QColor(unfocused.pixel(0, y)), palette::DarkBlue);
    }

    // An open list closes first, as a click on it would; then Escape is the way back.
    void escapeClosesTheListThenGoesBack()
    {
        Rig rig;
        rig.key(Qt::Key_Down);
        rig.form.list(u"List"_s)->addLines({u"一行目"_s});
        rig.form.picture(u"Cover"_s)->show();
        rig.form.list(u"List"_s)->show();
        QCOMPARE(QApplication::focusWidget(), rig.form.list(u"List"_s)); // taken while the keys are in use
        rig.key(Qt::Key_Escape);
        QVERIFY(rig.form.list(u"List"_s)->isHidden());
        QCOMPARE(QApplication::focusWidget(), rig.name(1)); // given back
        QVERIFY(rig.clicked.isEmpty());
        rig.key(Qt::Key_Escape);
        QCOMPARE(rig.clicked, QList<int>{-1});
    }

    // A screen reader hears a clickable label as a button named by its caption,
    // and its press is the click.
    void clickableLabelsAreButtons()
    {
        Rig rig;
        QAccessibleInterface* name = QAccessible::queryAccessibleInterface(rig.name(3));
        QVERIFY(name);
        QCOMPARE(name->role(), QAccessible::Button);
        QCOMPARE(name->text(QAccessible::Name), u"鳥3"_s);
        name->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(rig.clicked, QList<int>{3});
        FormLabel plain(&rig.form);
        plain.setText(u"干潟周辺の"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(&plain)->role(), QAccessible::StaticText);
        QCOMPARE(QAccessible::queryAccessibleInterface(&plain)->text(QAccessible::Name), u"干潟周辺の"_s);
    }

    void judgementIsSpoken_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<quiz::Judgement>("judgement");
        QTest::addColumn<QString>("words");
        QTest::newRow("right") << true << quiz::Judgement{u"オオルリ"_s, 3, 1}
                               << u"正解。オオルリ。正解 3、不正解 1"_s;
        QTest::newRow("wrong names the right bird") << false << quiz::Judgement{u"オオルリ"_s, 3, 2}
                                                    << u"不正解。正しくはオオルリ。正解 3、不正解 2"_s;
        QTest::newRow("nothing more known") << false << quiz::Judgement{} << u"不正解"_s;
    }
    void judgementIsSpoken()
    {
        QFETCH(bool, right);
        QFETCH(quiz::Judgement, judgement);
        QFETCH(QString, words);
        QCOMPARE(quiz::Feedback::spoken(right, judgement), words);
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
