// The program's own captions are drawn with the Japanese face alone, with no
// fallback fonts looked up: a character that face lacks would show as a box.
#include "Fonts.h"
#include "Form.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "MenuLayout.h"
#include "QuizLayout.h"
#include "ReferenceLayout.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Layout
{
    WindowSpec window;
    std::vector<ControlSpec> controls;
};

// The characters of the text the font cannot draw.
QString missing(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    QString lacking;
    for (const char32_t character : text.toUcs4())
        if (!metrics.inFontUcs4(character))
            lacking += QString::fromUcs4(&character, 1);
    return lacking;
}

} // namespace

class CaptionsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        installJapaneseFonts();
        if (!QFontDatabase::hasFamily(u"IPAPMincho"_s) || !QFontDatabase::hasFamily(u"IPAPGothic"_s))
            QSKIP("the IPA fonts are not installed");
    }

    void everyCaptionInItsOwnFace_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("menu") << 0;
        QTest::newRow("quiz, spring and summer") << 1;
        QTest::newRow("quiz, autumn and winter") << 2;
        QTest::newRow("reference, spring and summer") << 3;
        QTest::newRow("reference, autumn and winter") << 4;
    }

    void everyCaptionInItsOwnFace()
    {
        QFETCH(int, screen);
        const Layout layout = [screen]() -> Layout {
            switch (screen) {
            case 0:
                return {menu::window(), menu::controls()};
            case 1:
            case 2: {
                const auto& season =
                    quiz::seasonTable(screen == 1 ? Season::SpringSummer : Season::AutumnWinter);
                return {quiz::window(season), quiz::controls(season)};
            }
            default: {
                const auto& season =
                    reference::seasonTable(screen == 3 ? Season::SpringSummer : Season::AutumnWinter);
                return {reference::window(season), reference::controls(season)};
            }
            }
        }();
        for (const double scale : {1.0, 2.5}) {
            Form form(layout.window, layout.controls, {}, scale);
            for (const ControlSpec& row : layout.controls) {
                if (row.caption.isEmpty())
                    continue;
                const QString name = row.index < 0 ? row.name : u"%1(%2)"_s.arg(row.name).arg(row.index);
                QWidget* widget = form.findChild<QWidget*>(name);
                if (!qobject_cast<FormLabel*>(widget) && !qobject_cast<FormButton*>(widget))
                    continue;
                QVERIFY2(missing(widget->font(), row.caption).isEmpty(),
                         qPrintable(u"%1 \"%2\" lacks \"%3\""_s.arg(name, row.caption,
                                                                    missing(widget->font(), row.caption))));
            }
        }
    }

    // Texts the quiz puts into its labels later are in the same face.
    void quizTextsInTheTopBarsFace()
    {
        const auto& season = quiz::seasonTable(Season::SpringSummer);
        Form form(quiz::window(season), quiz::controls(season));
        const QFont font = form.label(quiz::ByEar)->font();
        for (const QString& text : {quiz::ByEarOn, quiz::ByEarOff, quiz::WeakFirstOn, quiz::WeakFirstOff})
            QVERIFY2(missing(font, text).isEmpty(), qPrintable(text));
        const QFont notice = form.label(quiz::NoCalls)->font();
        for (const QString& text : {quiz::NoCallsText, quiz::NoSoundText})
            QVERIFY2(missing(notice, text).isEmpty(), qPrintable(text));
    }
};

QTEST_MAIN(CaptionsTest)
#include "tst_captions.moc"
