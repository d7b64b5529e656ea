#include "ControlSpec.h"
#include "Form.h"
#include "ListBox.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << u"line %1"_s.arg(i);
    return lines;
}

QPoint centreOf(ListBox& list, int row)
{
    return list.visualItemRect(list.item(row)).center();
}

// The list shows whole rows only, from the top edge it was given.
void verifyWholeRows(ListBox& list, int top, int room)
{
    const int row = list.rowHeight();
    QVERIFY(row > 0);
    QCOMPARE(list.y(), top);
    QCOMPARE(list.viewport()->height() % row, 0);
    QCOMPARE((list.height() - 2 * list.frameWidth()) % row, 0);
    QVERIFY(list.height() <= room);
    QVERIFY(room - list.height() < row);
}

// A list in a window of its own, filled before it is shown.
struct Rig
{
    QWidget window;
    ListBox list{&window};

    explicit Rig(const QStringList& lines, int height = 250)
    {
        window.resize(300, 300);
        list.setGeometry(10, 10, 200, height);
        list.addLines(lines);
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
};

} // namespace

class ListBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mouseChoicesCountAsOneClick_data()
    {
        QTest::addColumn<int>("before"); // the current line before the press, -1 for none
        QTest::addColumn<int>("press");  // -1: below the last line
        QTest::addColumn<QList<int>>("moves");
        QTest::addColumn<int>("release");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("after");
        QTest::newRow("click on a line") << -1 << 1 << QList<int>() << 1 << 1 << 1;
        QTest::newRow("click on the chosen line") << 1 << 1 << QList<int>() << 1 << 1 << 1;
        // Qt's own click signal needs press and release on the same line.
        QTest::newRow("press on one line, release on another") << -1 << 1 << QList<int>() << 4 << 1 << 4;
        QTest::newRow("dragged across lines") << 0 << 1 << QList<int>{2, 3, 4} << 4 << 1 << 4;
        QTest::newRow("dragged back to where it began") << 1 << 1 << QList<int>{3, 1} << 1 << 1 << 1;
        QTest::newRow("below the last line") << 2 << -1 << QList<int>() << -1 << 0 << 2;
    }
    void mouseChoicesCountAsOneClick()
    {
        QFETCH(int, before);
        QFETCH(int, press);
        QFETCH(QList<int>, moves);
        QFETCH(int, release);
        Rig rig(numberedLines(6));
        ListBox& list = rig.list;
        list.setCurrentRow(before);
        QVERIFY(rig.show());
        const QPoint belowLast = centreOf(list, 5) + QPoint(0, 3 * list.rowHeight());
        QVERIFY(!list.itemAt(belowLast));
        const auto at = [&](int row) { return row < 0 ? belowLast : centreOf(list, row); };

        QSignalSpy clicks(&list, &ListBox::clicked);
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, at(press));
        for (int row : moves)
            QTest::mouseMove(list.viewport(), at(row));
        QCOMPARE(clicks.count(), 0); // the choice is made on release
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at(release));
        QTEST(int(clicks.count()), "clicks");
        QTEST(list.currentRow(), "after");
    }

    void focusAloneIsNoClick()
    {
        Rig rig(numberedLines(6));
        ListBox& list = rig.list;
        QSignalSpy clicks(&list, &ListBox::clicked);
        QVERIFY(rig.show());
        rig.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        list.setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(list.hasFocus());
        QCOMPARE(list.currentRow(), 0); // Qt chose a line by itself
        QCOMPARE(clicks.count(), 0);
    }

    void aLineWithALoneLfIsOneRow_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("row");
        // The view takes its one row size from a single line; which one is Qt's choice.
        QTest::newRow("first line") << QStringList{u"a\nb"_s, u"c"_s, u"d"_s} << 0;
        QTest::newRow("middle line") << QStringList{u"a"_s, u"b\nc"_s, u"d"_s} << 1;
        QTest::newRow("last line") << QStringList{u"a"_s, u"b"_s, u"c\nd\n"_s} << 2;
        QTest::newRow("empty last line") << QStringList{u"a"_s, u"b"_s, QString()} << 2;
    }
    void aLineWithALoneLfIsOneRow()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, row);
        Rig rig(lines);
        ListBox& list = rig.list;
        QVERIFY(rig.show());
        for (int i = 0; i < list.count(); ++i) {
            const QRect line = list.visualItemRect(list.item(i));
            QCOMPARE(line.height(), list.rowHeight());
            QCOMPARE(line.top(), i * list.rowHeight());
        }
        QVERIFY(list.rowHeight() < 2 * list.fontMetrics().height());
        QCOMPARE(list.lines(), lines);
        QCOMPARE(list.item(row)->text(), lines.at(row));
    }

    void aLoneLfDrawsAsASpace()
    {
        Rig rig({u"first"_s, u"ab\ncd"_s, u"ab cd"_s}); // clear of the line focus makes current
        ListBox& list = rig.list;
        QVERIFY(rig.show());
        const QImage drawn = list.viewport()->grab().toImage();
        const QImage withLf = drawn.copy(list.visualItemRect(list.item(1)));
        const QImage withSpace = drawn.copy(list.visualItemRect(list.item(2)));
        QCOMPARE(withLf, withSpace);
    }

    void heightIsWholeRows_data()
    {
        QTest::addColumn<int>("pixels"); // font size; 0 keeps the default font
        QTest::addColumn<int>("room");   // the height the list is given
        QTest::addColumn<bool>("fontFirst");
        QTest::addColumn<int>("laterPixels"); // a font set once the list is on screen, 0 for none
        QTest::newRow("default font") << 0 << 184 << false << 0;
        QTest::newRow("15 px, font after geometry") << 15 << 184 << false << 0;
        QTest::newRow("15 px, font before geometry") << 15 << 184 << true << 0;
        QTest::newRow("21 px in a low list") << 21 << 70 << false << 0;
        QTest::newRow("larger font later") << 15 << 184 << false << 23;
        QTest::newRow("smaller font later") << 23 << 184 << false << 12;
    }
    void heightIsWholeRows()
    {
        QFETCH(int, pixels);
        QFETCH(int, room);
        QFETCH(bool, fontFirst);
        QFETCH(int, laterPixels);
        const QRect given(20, 37, 275, room);
        const auto fontOf = [](int size) {
            QFont font(u"IPAMincho"_s);
            font.setPixelSize(size);
            return font;
        };
        QWidget window;
        window.resize(320, 320);
        ListBox list(&window);
        list.addLines(numberedLines(40));
        if (pixels && fontFirst)
            list.setFont(fontOf(pixels));
        list.setGeometry(given);
        if (pixels && !fontFirst)
            list.setFont(fontOf(pixels));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        verifyWholeRows(list, given.top(), room);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(list.width(), given.width());
        if (laterPixels) {
            // Fitted again from the room it was given, not from the fitted height.
            list.setFont(fontOf(laterPixels));
            verifyWholeRows(list, given.top(), room);
        }
        // The rows drawn are the rows fitted.
        QCOMPARE(list.visualItemRect(list.item(0)).height(), list.rowHeight());
    }

    // The layout gives a hidden list its geometry first and its font after.
    void theLayoutsHiddenListShowsWholeRows()
    {
        ControlSpec row = controlRow(ControlKind::ListBox, u"List1"_s, {4320, 1215, 4125, 2760}, false);
        row.font = {u"IPAMincho"_s, 11.25, false};
        row.back = Qt::blue;
        row.fore = Qt::white;
        Form form({u"test"_s, 9600, 5955, {}}, {row});
        ListBox* list = form.list(u"List1"_s);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        list->addLines(numberedLines(40));
        list->setVisible(true);
        verifyWholeRows(*list, toPixels(row.rect, 1.0).top(), toPixels(row.rect, 1.0).height());
    }
};

QTEST_MAIN(ListBoxTest)
#include "tst_listbox.moc"
