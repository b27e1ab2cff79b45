// The rule of every text box, set up for the application as the program's
// start sets it up: a line edit with a limit, a text box of several lines and
// an editable combo box keep what fits of a text, whichever way it comes in,
// with the sound and a hint under the box; boxes of paths keep their letters.
#include "platform/ui/desktopplattform.h"
#include "platform/ui/eingaberegel.h"
#include "support/dialoghilfe.h"
#include "support/einfuegewege.h"
#include "support/nutzereingabe.h"
#include "support/testplattform.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zplatform;
using namespace Qt::StringLiterals;
using nutzer::Weg;

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString Lachen = QString::fromUtf8("\xF0\x9F\x98\x80"); // an emoji
const QString Zeichen = u"Nicht im Zeichensatz Windows-1252: "_s;
const QString Gekuerzt = u"Das Feld »Name« nimmt nur 12 Zeichen auf; "_s;

// A window with one box of each kind: "zeile" (12 characters, "Name"),
// "text" (several lines), "kombi" (an editable combo box); each holds "Ab".
struct Fenster
{
    QDialog dialog;
    QLineEdit* zeile = new QLineEdit(u"Ab"_s, &dialog);
    QPlainTextEdit* text = new QPlainTextEdit(u"Ab"_s, &dialog);
    QComboBox* kombi = new QComboBox(&dialog);

    Fenster()
    {
        zeile->setMaxLength(12);
        zeile->setAccessibleName(u"Name"_s);
        kombi->setEditable(true);
        kombi->setEditText(u"Ab"_s);
        auto* l = new QVBoxLayout(&dialog);
        for (QWidget* w : {static_cast<QWidget*>(zeile), static_cast<QWidget*>(text), static_cast<QWidget*>(kombi)})
            l->addWidget(w);
        dialog.resize(400, 300);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    QWidget* kasten(char art) { return art == 'z' ? zeile : art == 't' ? static_cast<QWidget*>(text) : kombi; }
};

struct Fall
{
    char kasten; // 'z' zeile, 't' text, 'k' kombi
    Weg weg;
    QString text, danach, hinweis;
    int toene;
};

void pruefen(const std::vector<Fall>& faelle, bool ueberAlles = false)
{
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(1, f.kasten) + " " + nutzer::name(f.weg) + " " + f.text.toStdString());
        TestPlattform plattform;
        Fenster fenster;
        QWidget* w = fenster.kasten(f.kasten);
        nutzer::hineinbringen(w, f.weg, f.text, ueberAlles);
        EXPECT_EQ(nutzer::kastentext(w), f.danach);
        EXPECT_EQ(nutzer::hinweisAm(w), f.hinweis);
        EXPECT_EQ(plattform.toene, QStringList(f.toene, u"#SystemHand"_s));
    }
}

} // namespace

TEST(Eingaberegel, JederKastenBehaeltWasPasstAufJedemWeg)
{
    const QString text = u" Łódź "_s + Lachen + u" Ende"_s;
    const QString ersetzt = Zeichen + u"Ł → L, ź → z ersetzt, "_s + Lachen + u" weggelassen."_s;
    std::vector<Fall> faelle;
    for (Weg weg : {Weg::StrgV, Weg::ShiftEinfg, Weg::Menue, Weg::Fallenlassen, Weg::Eingabemethode}) {
        faelle.push_back({'z', weg, text, u"Ab Lódz  End"_s,
                          ersetzt + u" "_s + Gekuerzt + u"der Rest der Einfügung wurde weggelassen."_s, 1});
        faelle.push_back({'t', weg, text, u"Ab Lódz  Ende"_s, ersetzt, 1});
        faelle.push_back({'k', weg, text, u"Ab Lódz  Ende"_s, ersetzt, 1});
    }
    // One key after the other: the last one, cut at the limit, says so.
    faelle.push_back({'z', Weg::Tippen, text, u"Ab Lódz  End"_s, Gekuerzt + u"die Eingabe wurde weggelassen."_s, 4});
    faelle.push_back({'t', Weg::Tippen, text, u"Ab Lódz  Ende"_s, QString(), 3}); // the keys after it hid the hint
    // Line breaks: blanks in one line, kept in several.
    faelle.push_back({'z', Weg::StrgV, u"\r\nc\rd\ne"_s, u"Ab c d e"_s, QString(), 0});
    faelle.push_back({'k', Weg::Fallenlassen, u"\r\nc"_s, u"Ab c"_s, QString(), 0});
    faelle.push_back({'t', Weg::StrgV, u"\r\nc\rd"_s, u"Ab\nc\nd"_s, QString(), 0});
    // What fits goes in as it is.
    faelle.push_back({'z', Weg::Menue, u"-Süd €"_s, u"Ab-Süd €"_s, QString(), 0});
    pruefen(faelle);
}

// A paste of nothing that fits over a selection still takes the selection's
// place, as any paste does.
TEST(Eingaberegel, NichtsWasPasstErsetztDieAuswahl)
{
    std::vector<Fall> faelle;
    for (Weg weg : {Weg::StrgV, Weg::ShiftEinfg, Weg::Menue})
        for (char kasten : {'z', 't', 'k'})
            faelle.push_back(
                {kasten, weg, Lachen + u"東京"_s, QString(), Zeichen + Lachen + u", 東, 京 weggelassen."_s, 1});
    pruefen(faelle, true);
}

// The key ß with Caps Lock gives ẞ: it types ß without a word, as on
// Windows; a pasted ẞ is told.
TEST(Eingaberegel, GrossesEszett)
{
    pruefen({{'z', Weg::Tippen, u"STRAẞE"_s, u"AbSTRAßE"_s, QString(), 0},
             {'t', Weg::Tippen, u"ẞ"_s, u"Abß"_s, QString(), 0},
             {'k', Weg::StrgV, u"ẞ"_s, u"Abß"_s, Zeichen + u"ẞ → ß ersetzt."_s, 1}});
}

// Paths and file names keep their letters: a box set so, the boxes of Qt's
// file dialog and the desktop's input box for a path; its other input box
// keeps what fits.
TEST(Eingaberegel, PfadeBehaltenIhreBuchstaben)
{
    TestPlattform plattform;
    Fenster fenster;
    eingaberegelAus(fenster.zeile);
    QFileDialog datei(nullptr, u"Datei"_s);
    datei.setOption(QFileDialog::DontUseNativeDialog);
    auto* dateiname = datei.findChild<QLineEdit*>(u"fileNameEdit"_s);
    ASSERT_NE(dateiname, nullptr);
    for (QWidget* w : {static_cast<QWidget*>(fenster.zeile), static_cast<QWidget*>(dateiname)}) {
        nutzer::hineinbringen(w, Weg::StrgV, u"Łódź"_s, true);
        EXPECT_EQ(nutzer::kastentext(w), u"Łódź"_s);
    }
    EXPECT_TRUE(plattform.toene.isEmpty());

    DesktopPlattform desktop;
    for (const bool pfad : {true, false}) {
        wennOffen([](QWidget* w) {
            auto* box = w->findChild<QLineEdit*>();
            ASSERT_NE(box, nullptr);
            nutzer::hineinbringen(box, Weg::StrgV, u"/home/łukasz"_s, true);
            qobject_cast<QDialog*>(w)->accept();
        });
        const QString antwort = pfad ? desktop.pfadEingabe(u"Ordner:"_s, QString(), QString())
                                     : desktop.eingabe(u"Name:"_s, QString(), QString());
        EXPECT_EQ(antwort, pfad ? u"/home/łukasz"_s : u"/home/lukasz"_s);
    }
}

TEST(Eingaberegel, MittelklickBehaeltWasPasst_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "the selection clipboard of X11";
    const QString ersetzt = Zeichen + u"Ł → L, ź → z ersetzt, "_s + Lachen + u" weggelassen."_s;
    const QString text = u" Łódź "_s + Lachen + u" Ende"_s;
    pruefen({{'z', Weg::Mittelklick, text, u"Ab Lódz  End"_s,
              ersetzt + u" "_s + Gekuerzt + u"der Rest der Einfügung wurde weggelassen."_s, 1},
             {'t', Weg::Mittelklick, text, u"Ab Lódz  Ende"_s, ersetzt, 1},
             {'k', Weg::Mittelklick, text, u"Ab Lódz  Ende"_s, ersetzt, 1}});
}

// The real keys of a German keyboard under X11: Caps Lock, then s, t, r, a,
// ß, e (the X server gives the capital ẞ for ß then).
TEST(Eingaberegel, FeststelltasteMitEszett_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "the keyboard of the X server";
    auto xkb = [](const char* belegung) {
        return QProcess::execute(u"setxkbmap"_s, {u"-layout"_s, QString::fromLatin1(belegung)});
    };
    ASSERT_EQ(xkb("de"), 0) << "setxkbmap is needed";
    TestPlattform plattform;
    Fenster fenster;
    fenster.zeile->clear();
    nutzer::klicken(*fenster.zeile, QPoint(5, fenster.zeile->height() / 2));
    const QStringList tasten{u"Caps_Lock"_s, u"s"_s, u"t"_s, u"r"_s, u"a"_s, u"ssharp"_s, u"e"_s, u"Caps_Lock"_s};
    const int ende = QProcess::execute(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"20"_s} + tasten);
    const bool getippt = QTest::qWaitFor([&] { return fenster.zeile->text().size() >= 5; });
    xkb("us");
    ASSERT_EQ(ende, 0);
    EXPECT_TRUE(getippt);
    EXPECT_EQ(fenster.zeile->text(), u"STRAßE"_s);
    EXPECT_EQ(nutzer::hinweisAm(fenster.zeile), QString());
    EXPECT_TRUE(plattform.toene.isEmpty());
}
