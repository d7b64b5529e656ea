#include "Form.h"
#include "FormLabel.h"
#include "PictureBox.h"
#include "QuizLayout.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

ControlSpec labelAt(const QString& name, TwipsRect rect, bool visible = true)
{
    ControlSpec row;
    row.kind = ControlKind::Label;
    row.name = name;
    row.caption = name;
    row.rect = rect;
    row.back = Qt::blue;
    row.fore = Qt::white;
    row.visible = visible;
    return row;
}

ControlSpec pictureAt(const QString& name, TwipsRect rect)
{
    ControlSpec row;
    row.kind = ControlKind::PictureBox;
    row.name = name;
    row.rect = rect;
    return row;
}

const WindowSpec Window{u"test"_s, 3000, 3000, {}};

} // namespace

class FormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutStretchTheBoxTakesThePicturesSize()
    {
        Form form(Window, {pictureAt(u"Image1"_s, {90, 510, 4470, 5415})});
        PictureBox* box = form.picture(u"Image1"_s);
        QPixmap picture(120, 80);
        picture.fill(Qt::green);
        box->setPicture(picture);
        QCOMPARE(box->width(), 1800.0f);
        QCOMPARE(box->height(), 1200.0f);
        QCOMPARE(box->left(), 90.0f);

        box->setStretch(true);
        box->setWidth(450.5f);
        QPixmap other(10, 10);
        box->setPicture(other);
        QCOMPARE(box->width(), 450.5f); // with stretch on the box keeps its size
    }

    void twipsAreKeptExactlyAsSet()
    {
        Form form(Window, {pictureAt(u"Image1"_s, {0, 0, 100, 100})});
        PictureBox* box = form.picture(u"Image1"_s);
        box->setLeft(1867.5f);
        box->setTop(2235.25f);
        QCOMPARE(box->left(), 1867.5f);
        QCOMPARE(box->top(), 2235.25f);
        QCOMPARE(box->geometry().topLeft(), QPoint(125, 149));
    }

    void controlListedFirstTakesTheClick_data()
    {
        QTest::addColumn<bool>("frontVisible");
        QTest::addColumn<QString>("clicked");
        QTest::newRow("front label visible") << true << u"Front"_s;
        QTest::newRow("hidden label takes no click") << false << u"Back"_s;
    }
    void controlListedFirstTakesTheClick()
    {
        QFETCH(bool, frontVisible);
        QFETCH(QString, clicked);
        Form form(Window, {labelAt(u"Front"_s, {0, 0, 1500, 1500}, frontVisible),
                           labelAt(u"Back"_s, {750, 750, 1500, 1500})});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy spy(form.label(clicked), &FormLabel::clicked);
        const QPoint overlap(75, 75); // where both labels lie
        QWidget* target = form.childAt(overlap);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&form, overlap));
        QCOMPARE(target->objectName(), clicked);
        QCOMPARE(spy.count(), 1);
    }

    // Lists and buttons are raised above labels; raising them must not turn
    // their own front-to-back order around.
    void listsAndButtonsKeepTheTablesOrder_data()
    {
        QTest::addColumn<QList<ControlKind>>("frontToBack");
        QTest::addColumn<QString>("onTop");
        using enum ControlKind;
        QTest::newRow("list before button") << QList{ListBox, Button} << u"Front"_s;
        QTest::newRow("button before list") << QList{Button, ListBox} << u"Front"_s;
        QTest::newRow("label before list: the list is on top") << QList{Label, ListBox} << u"Back"_s;
    }
    void listsAndButtonsKeepTheTablesOrder()
    {
        QFETCH(QList<ControlKind>, frontToBack);
        QFETCH(QString, onTop);
        ControlSpec front = labelAt(u"Front"_s, {0, 0, 1500, 1500});
        ControlSpec back = labelAt(u"Back"_s, {750, 750, 1500, 1500});
        front.kind = frontToBack[0];
        back.kind = frontToBack[1];
        Form form(Window, {front, back});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint overlap(75, 75);
        QWidget* target = form.childAt(overlap);
        while (target && target->parentWidget() != &form) // a list's viewport belongs to the list
            target = target->parentWidget();
        QVERIFY(target);
        QCOMPARE(target->objectName(), onTop);
    }

    void emptyPictureBoxStillTakesClicks()
    {
        Form form(Window,
                  {pictureAt(u"Image2"_s, {0, 0, 3000, 3000}), labelAt(u"Label1"_s, {0, 0, 600, 300})});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.childAt(QPoint(10, 10)), form.picture(u"Image2"_s));
    }

    void boardBackgroundLinesUpWithTheQuizLayout()
    {
        const QImage board(u":/artwork/board.gif"_s);
        QCOMPARE(board.size(), QSize(640, 400));
        const auto& season = quiz::seasonTable(Season::SpringSummer);
        for (const ControlSpec& row : quiz::controls(season)) {
            const QRect r = toPixels(row.rect, 1.0);
            if (row.name == u"Image1"_s) {
                // The picture box covers the red-outlined panel exactly.
                QCOMPARE(r, QRect(QPoint(6, 34), QPoint(303, 394)));
                QCOMPARE(board.pixelColor(r.topLeft()), QColor(252, 2, 4));
                QCOMPARE(board.pixelColor(r.bottomRight()), QColor(252, 2, 4));
            } else if (row.name == u"Label1"_s) {
                // Each name lies inside one dark-blue cell, its rules just outside.
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        QCOMPARE(board.pixelColor(x, y), QColor(4, 2, 164));
                QCOMPARE(board.pixelColor(r.right() + 1, r.top()), QColor(252, 2, 252));
                QCOMPARE(board.pixelColor(r.left(), r.bottom() + 1), QColor(252, 2, 252));
            } else if (row.name == u"Image2"_s) {
                QCOMPARE(QPixmap(row.picture).size(), r.size()); // the score panel at its own size
            }
        }
    }
};

QTEST_MAIN(FormTest)
#include "tst_form.moc"
