// How the card looks after it is shown: every field from the beginning of its
// text, locked fields drawn as read-only, and the symbol bar with pictures.
#include "main_hilfen.h"
#include "support/kuerzel.h"

#include "addressbook/befehle.h"
#include "addressbook/ui/kartenfeld.h"
#include "addressbook/ui/symbole.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>

using namespace zadressbuch;
using main_test::zeile;

namespace {

const QString LangeMail = u"hans-joachim.baerenreiter-oehlschlaeger@beispiel-grosshandel.de"_s;

class MainAnzeige : public main_test::MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        QString bemerkung;
        for (int i = 1; i <= 40; ++i)
            bemerkung += u"Zeile %1 mit einem langen Text, der breiter ist als das Feld°°"_s.arg(i);
        adressdatei({u"..Kunden"_s,
                     zeile({{1, u"Bärenreiter-Öhlschläger von und zu Hohenzollern-Sigmaringen"_s},
                            {14, LangeMail},
                            {11, bemerkung},
                            {15, u"01.06.2000"_s},
                            {16, u"15.06.2000"_s}}),
                     zeile({{1, u"Weber"_s}, {14, LangeMail}, {16, u"15.06.2001"_s}}),
                     zeile({{1, u"Schmidt-Rottluff-Kirchner-Pechstein-Heckel"_s}, {14, u"s@beispiel.de"_s}})});
    }
    QPlainTextEdit* bemerkung() const { return static_cast<QPlainTextEdit*>(fenster->Feld(Bemerkung)); }

    // The line fields that do not show the beginning of their text.
    QList<int> nichtAmAnfang() const
    {
        QList<int> felder;
        for (int i = 0; i < FeldAnzahl; ++i)
            if (i != Bemerkung && textfeld(i)->cursorPosition() != 0)
                felder << i;
        if (bemerkung()->textCursor().position() != 0 || bemerkung()->verticalScrollBar()->value() != 0 ||
            bemerkung()->horizontalScrollBar()->value() != 0)
            felder << Bemerkung;
        return felder;
    }
};

TEST_F(MainAnzeige, JedesFeldZeigtNachDemAnzeigenDenAnfangSeinesTextes)
{
    Main& m = starten();
    ASSERT_EQ(m.FeldText(EMail), LangeMail);
    EXPECT_EQ(nichtAmAnfang(), QList<int>());

    // Another address: fields with new texts and fields whose text stays.
    textfeld(EMail)->end(false);
    bemerkung()->moveCursor(QTextCursor::End);
    adressliste().setListIndex(2);
    EXPECT_EQ(nichtAmAnfang(), QList<int>());
    textfeld(Nachname)->end(false);
    textfeld(EMail)->end(false);
    adressliste().setListIndex(1);
    EXPECT_EQ(m.FeldText(EMail), LangeMail);
    EXPECT_EQ(nichtAmAnfang(), QList<int>()) << "an unchanged text is shown from its beginning too";

    // Storing the card while typing leaves the typing field's cursor alone.
    textfeld(Nachname)->end(false);
    QTest::keyClick(m.Feld(Nachname), Qt::Key_X);
    EXPECT_EQ(m.FeldText(Nachname), u"Weberx"_s);
    EXPECT_EQ(textfeld(Nachname)->cursorPosition(), 6);
}

TEST_F(MainAnzeige, GesperrteFelderSehenSchreibgeschuetztAus)
{
    Main& m = starten();
    const QColor offen = m.Feld(Nachname)->palette().color(QPalette::Base);
    for (int i : {int(ErstelltAm), int(GeaendertAm), int(Index)}) {
        EXPECT_TRUE(textfeld(i)->isReadOnly()) << i;
        EXPECT_EQ(m.Feld(i)->palette().color(QPalette::Base), m.Feld(i)->palette().color(QPalette::Window)) << i;
        EXPECT_NE(m.Feld(i)->palette().color(QPalette::Base), offen) << i;
    }
    neuerLauf();

    // Read-only mode: every field, the remark too.
    Main& r = starten({u"readonly"_s});
    ASSERT_TRUE(sitzung().NurLesen);
    for (int i = 0; i < FeldAnzahl; ++i)
        EXPECT_EQ(r.Feld(i)->palette().color(QPalette::Base), r.Feld(i)->palette().color(QPalette::Window)) << i;
}

// The field itself: locking takes the window's background, unlocking gives
// its own back (a colour of the user's too); setting the same state twice
// changes nothing.
TEST(KartenFeldSperre, GesperrtMitFensterhintergrund_EntsperrtMitEigenem)
{
    QWidget fenster;
    KartenZeile zeile(Nachname, &fenster);
    KartenText text(Bemerkung, &fenster);
    const QColor eigene(255, 255, 192);
    for (QWidget* feld : {static_cast<QWidget*>(&zeile), static_cast<QWidget*>(&text)}) {
        QPalette p = feld->palette();
        p.setColor(QPalette::Base, eigene);
        feld->setPalette(p);
    }
    const QColor grau = zeile.palette().color(QPalette::Window);
    ASSERT_NE(grau, eigene);

    zeile.setReadOnly(true);
    zeile.setReadOnly(true);
    text.setReadOnly(true);
    EXPECT_EQ(zeile.palette().color(QPalette::Base), grau);
    EXPECT_EQ(text.palette().color(QPalette::Base), grau);
    zeile.setReadOnly(false);
    text.setReadOnly(false);
    zeile.setReadOnly(false);
    EXPECT_EQ(zeile.palette().color(QPalette::Base), eigene);
    EXPECT_EQ(text.palette().color(QPalette::Base), eigene);
}

// Every button of the symbol bar shows a picture, and the program carries its
// own drawing of each, for desktops without an icon theme.
TEST_F(MainAnzeige, JederSymbolknopfHatEinBild)
{
    Main& m = starten();
    for (const SymbolZeile& s : symboltabelle()) {
        const QIcon eigenes = Symbol_Eigenes(s.bild);
        ASSERT_FALSE(eigenes.isNull()) << s.bild;
        const QImage bild = eigenes.pixmap(24, 24).toImage();
        ASSERT_FALSE(bild.isNull()) << s.bild << ": the drawing renders";
        int gemalt = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                gemalt += qAlpha(bild.pixel(x, y)) > 0;
        EXPECT_GT(gemalt, 24 * 24 / 10) << s.bild;

        QToolButton* knopf = m.befSymbol(s.index);
        ASSERT_NE(knopf, nullptr) << s.index;
        EXPECT_FALSE(knopf->icon().isNull()) << s.bild;
        EXPECT_TRUE(knopf->text().isEmpty() || knopf->toolButtonStyle() == Qt::ToolButtonIconOnly) << s.bild;
    }
    EXPECT_TRUE(Symbol_Eigenes("gibt-es-nicht").isNull());
}

// Every menu of the window opens with its Alt key: no caption on the card claims its letter.
TEST_F(MainAnzeige, MenuekuerzelGehoerenDenMenues)
{
    Main& m = starten();
    EXPECT_EQ(kuerzel::menueKonflikte(&m), QStringList());
}

} // namespace
