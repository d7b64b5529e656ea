#include "Form.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "PictureBox.h"
#include "ReferenceLayout.h"
#include "ReferenceScreen.h"
#include "ScreenRig.h"
#include "SpectrogramView.h"

#include <QDir>
#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Rig : ScreenRig<ReferenceScreen>
{
    Rig() : ScreenRig(Season::SpringSummer) { screen.show(); }

    QStringList& calls() { return ScreenRig::calls(u"MediaPlayer1"_s); }
    FormLabel& label(const QString& name) { return *form().label(name); }
    FormLabel& pictureStep() { return label(u"Label7"_s); }
    FormLabel& callStep() { return label(u"Label8"_s); }
    FormLabel& info() { return label(u"Label9"_s); }
    int pictureWidth() { return int(std::lround(image(u"Image1"_s).width() / 15.0)); }
    static int bird(int position)
    {
        return birds::numberTable(Season::SpringSummer)[std::size_t(position + 1)];
    }
};

void write(const QString& relative, const QByteArray& bytes)
{
    const QString path = testmedia::root() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Bird's second and third pictures, each wider than the one before; its second recording.
void writeFurther(int bird)
{
    for (int n = 2; n <= 3; ++n) {
        QImage picture(testmedia::pictureSize(bird) + QSize(10 * n, 0), QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(testmedia::root() + u"/姿/b%1-%2.png"_s.arg(bird).arg(n)));
    }
    write(u"姿/b%1-3.tags"_s.arg(bird), "幼鳥 飛翔\ncredit: 山田\n");
    write(u"声/k%1-2.wav"_s.arg(bird), testmedia::toneWav(2500, 0.3));
    write(u"声/k%1-2.tags"_s.arg(bird), "地鳴き\n聞きなし: 「キリッ」\ncredit: XC42\n");
}

QString callPath(int bird, const QString& suffix)
{
    return u"source "_s + testmedia::root() + u"/声/k%1%2.wav"_s.arg(bird).arg(suffix);
}

} // namespace

class ExemplarStepTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        testmedia::clear();
        testmedia::writeAll();
    }
    void cleanupTestCase() { testmedia::clear(); }

    // 姿 steps through the pictures with the call going on; 声 through the
    // recordings with the picture staying; each comes round again; the line
    // above says what is on show.
    void stepsThroughPicturesAndRecordings()
    {
        const int bird = Rig::bird(5);
        writeFurther(bird);
        Rig rig;
        QVERIFY(!rig.pictureStep().isVisible());
        rig.clickAt(rig.name(5));
        QCOMPARE(rig.pictureStep().text(), u"姿 1/3"_s);
        QCOMPARE(rig.callStep().text(), u"声 1/2"_s);
        QVERIFY(rig.pictureStep().isVisible() && rig.callStep().isVisible());
        QVERIFY(!rig.info().isVisible()); // the bird's own files carry no tags
        const int ownWidth = rig.pictureWidth();
        QCOMPARE(ownWidth, testmedia::pictureSize(bird).width());

        const qsizetype callsBefore = rig.calls().size();
        rig.clickAt(rig.pictureStep());
        QCOMPARE(rig.pictureStep().text(), u"姿 2/3"_s);
        QCOMPARE(rig.pictureWidth(), ownWidth + 20);
        QCOMPARE(rig.calls().size(), callsBefore); // the call goes on as it was
        rig.clickAt(rig.pictureStep());
        QCOMPARE(rig.pictureWidth(), ownWidth + 30);
        QVERIFY(rig.info().isVisible());
        QCOMPARE(rig.info().text(), u"飛翔 幼鳥 · 山田"_s);

        rig.clickAt(rig.callStep());
        QCOMPARE(rig.callStep().text(), u"声 2/2"_s);
        QCOMPARE(rig.calls().mid(rig.calls().size() - 3),
                 (QStringList{u"stop"_s, callPath(bird, u"-2"_s), u"repeat 0"_s}));
        QCOMPARE(rig.pictureWidth(), ownWidth + 30); // the picture stays
        QCOMPARE(rig.info().text(), u"飛翔 幼鳥 · 山田　地鳴き「キリッ」 · XC42"_s);

        rig.clickAt(rig.pictureStep());
        QCOMPARE(rig.pictureStep().text(), u"姿 1/3"_s);
        QCOMPARE(rig.pictureWidth(), ownWidth);
        QCOMPARE(rig.info().text(), u"地鳴き「キリッ」 · XC42"_s);
        rig.clickAt(rig.callStep());
        QCOMPARE(rig.calls().mid(rig.calls().size() - 3),
                 (QStringList{u"stop"_s, callPath(bird, QString()), u"repeat 0"_s}));

        // Another bird starts again from its own files.
        rig.clickAt(rig.name(6));
        QCOMPARE(rig.pictureStep().text(), u"姿 1/1"_s);
        QCOMPARE(rig.callStep().text(), u"声 1/1"_s);
        const qsizetype callsNow = rig.calls().size();
        rig.clickAt(rig.callStep()); // only one: nothing to step to
        QCOMPARE(rig.calls().size(), callsNow);
        rig.clickAt(rig.name(5));
        QCOMPARE(rig.pictureStep().text(), u"姿 1/3"_s);
        QCOMPARE(rig.pictureWidth(), ownWidth);
    }

    void aBirdWithoutFilesSaysSo()
    {
        const int bird = Rig::bird(8);
        testmedia::remove(u"姿/b%1.gif"_s.arg(bird));
        testmedia::remove(u"声/k%1.wav"_s.arg(bird));
        Rig rig;
        rig.clickAt(rig.name(8));
        QCOMPARE(rig.pictureStep().text(), u"姿 なし"_s);
        QCOMPARE(rig.callStep().text(), u"声 なし"_s);
        rig.clickAt(rig.pictureStep());
        QVERIFY(!rig.image(u"Image1"_s).hasPicture());
    }

    // The steps sit in the switch's row and the line above it, clear of 説明, the
    // switch and the spectrogram, inside the picture panel.
    void stepsKeepClearOfTheOtherControls()
    {
        Rig rig;
        rig.clickAt(rig.name(5));
        for (const QString& name : {u"Label7"_s, u"Label8"_s, u"Label9"_s}) {
            const QRect step = rig.label(name).geometry();
            QVERIFY2(!step.intersects(rig.form().button(u"Command1"_s)->geometry()), qPrintable(name));
            QVERIFY2(!step.intersects(rig.label(u"Label6"_s).geometry()), qPrintable(name));
            QVERIFY2(!step.intersects(rig.form().findChild<SpectrogramView*>()->geometry()),
                     qPrintable(name));
            QVERIFY2(step.right() < rig.name(0).geometry().left(), qPrintable(name));
        }
        QVERIFY(!rig.label(u"Label7"_s).geometry().intersects(rig.label(u"Label8"_s).geometry()));
    }
};

QTEST_MAIN(ExemplarStepTest)
#include "tst_exemplarstep.moc"
