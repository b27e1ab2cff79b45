// Text that comes into a card field (pasted by a key, the middle button or
// the zoom editor's menu, dropped, committed by an input method) keeps what
// the address file and the field take: letters outside Windows-1252 become
// their base letters, other such characters are left out, and a text longer
// than the field's limit is cut there. The sound of a refused key and a line
// in the status bar say so, and the address holds what the field shows.
#include "main_hilfen.h"

#include "commands/ui/zoomtext.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>

using namespace zadressbuch;
using main_test::zeile;

namespace {

const QString Lachen = QString::fromUtf8("\xF0\x9F\x98\x80"); // an emoji
const QString Zeichenhinweis = u"In der Adressdatei nicht speicherbar: "_s;

class MainEinfuegen : public main_test::MainFensterTest
{
protected:
    Main& aktivStarten()
    {
        adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Müller"_s},
                                           {Vorname, u"Hans"_s},
                                           {Ort, u"Berlin"_s},
                                           {Bemerkung, u"siehe #19"_s},
                                           {GeaendertAm, u"15.06.2000"_s},
                                           {Index, u"17"_s}})});
        Main& m = starten();
        m.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m));
        plattform.toene.clear();
        return m;
    }
    QPlainTextEdit* bemerkung() const { return static_cast<QPlainTextEdit*>(fenster->Feld(Bemerkung)); }
    // The widget that takes the mouse in a field, and a point right of the
    // end of its (first) line.
    QWidget* mausZiel(int feld) const { return feld == Bemerkung ? bemerkung()->viewport() : fenster->Feld(feld); }
    QPoint amEnde(int feld) const
    {
        QWidget* w = mausZiel(feld);
        return feld == Bemerkung
                   ? QPoint(w->width() - 6, bemerkung()->cursorRect(QTextCursor(bemerkung()->document())).center().y())
                   : QPoint(w->width() - 4, w->height() / 2);
    }
    // The field, its address and the saved file hold the text; the status
    // bar says what was changed, with the sound of a refused key.
    void pruefen(int feld, const QString& text, const QString& status)
    {
        EXPECT_EQ(fenster->FeldText(feld), text);
        EXPECT_EQ(FeldAus(eintrag(0), feld), text);
        EXPECT_EQ(panel("Status"), status);
        EXPECT_EQ(plattform.toene, status == u"Bereit"_s ? QStringList() : QStringList{u"#SystemHand"_s});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        const QString datei = QString::fromLatin1(dateiBytes());
        EXPECT_TRUE(datei.contains(u"\t"_s + QString(text).replace(u"\r\n"_s, u"°°"_s) + u"\t"_s))
            << datei.toStdString();
    }
};

} // namespace

TEST_F(MainEinfuegen, EinfuegenInDieKarteBehaeltWasPasst)
{
    enum Weg { StrgV, ShiftEinfg, Fallenlassen, Eingabemethode };
    const QString strasse = u"Hauptstraße 123, Hinterhaus links, 3. Obergeschoss, bei Schmidt"_s;
    const QString laenge = u"Das Feld »%1« nimmt nur %2 Zeichen auf; der Rest der Einfügung wurde weggelassen."_s;
    const struct
    {
        const char* name;
        Weg weg;
        int feld;
        QString text;
        QString feldtext; // the field afterwards
        QString status;
    } faelle[] = {
        {"Ctrl+V", StrgV, Ort, u" Łódź"_s, u"Berlin Lódz"_s, Zeichenhinweis + u"Ł → L, ź → z ersetzt."_s},
        {"Shift+Insert", ShiftEinfg, Nachname, u"-Dvořák"_s, u"Müller-Dvorák"_s, Zeichenhinweis + u"ř → r ersetzt."_s},
        {"dropped", Fallenlassen, Vorname, u" Gruß aus Kraków "_s + Lachen, u"Hans Gruß aus Kraków "_s,
         Zeichenhinweis + Lachen + u" weggelassen."_s},
        {"input method", Eingabemethode, Ort, u" Timișoara"_s, u"Berlin Timisoara"_s,
         Zeichenhinweis + u"ș → s ersetzt."_s},
        {"Ctrl+V, too long", StrgV, Strasse, strasse, strasse.left(50), laenge.arg(u"Straße"_s).arg(50)},
        {"dropped, too long", Fallenlassen, Kontonummer, u"DE89 3704 0044 0532 0130 00"_s, u"DE89 3704 "_s,
         laenge.arg(u"Kontonummer"_s).arg(10)},
        {"input method, too long", Eingabemethode, Plz, u"D-123456789"_s, u"D-123456"_s, laenge.arg(u"PLZ"_s).arg(8)},
        {"Shift+Insert, both", ShiftEinfg, Plz, u"Łódź 90-001"_s, u"Lódz 90-"_s,
         Zeichenhinweis + u"Ł → L, ź → z ersetzt. "_s + laenge.arg(u"PLZ"_s).arg(8)},
        {"Ctrl+V into the remark", StrgV, Bemerkung, u"\r\nGrüße ☺ Łukasz"_s, u"siehe #19\r\nGrüße  Lukasz"_s,
         Zeichenhinweis + u"Ł → L ersetzt, ☺ weggelassen."_s},
        {"dropped into the remark", Fallenlassen, Bemerkung, u" 東京"_s, u"siehe #19 "_s,
         Zeichenhinweis + u"東, 京 weggelassen."_s},
        {"Ctrl+V, as it is", StrgV, Ort, u"-Süd"_s, u"Berlin-Süd"_s, u"Bereit"_s},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        neuerLauf();
        Main& m = aktivStarten();
        QTest::mouseClick(mausZiel(f.feld), Qt::LeftButton, {}, amEnde(f.feld));
        switch (f.weg) {
        case StrgV:
        case ShiftEinfg:
            QGuiApplication::clipboard()->setText(f.text);
            if (f.weg == StrgV)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case Fallenlassen:
            nutzer::textFallenLassen(mausZiel(f.feld), amEnde(f.feld), f.text);
            break;
        case Eingabemethode:
            nutzer::eingabemethodeUebergeben(m.Feld(f.feld), f.text);
            break;
        }
        pruefen(f.feld, f.feldtext, f.status);
    }
}

// A text partly left out is copied, never moved: the rest stays where it
// was dragged from.
TEST_F(MainEinfuegen, FallengelassenesWirdNurKopiertWennNichtAllesPasst)
{
    Main& m = aktivStarten();
    for (int feld : {int(Plz), int(Bemerkung)}) {
        SCOPED_TRACE(feld);
        QMimeData daten;
        daten.setText(u"Łódź 90-001 "_s + QString(1000, u'x'));
        const Qt::DropActions arten = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent hinein(amEnde(feld), arten, &daten, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mausZiel(feld), &hinein);
        QDropEvent fallen(QPointF(amEnde(feld)), arten, &daten, Qt::LeftButton, Qt::NoModifier);
        fallen.setDropAction(Qt::MoveAction);
        QApplication::sendEvent(mausZiel(feld), &fallen);
        EXPECT_TRUE(m.FeldText(feld).startsWith(feld == Plz ? u"Lódz 90-"_s : u"siehe #19Lódz 90-001 xxx"_s));
        EXPECT_TRUE(fallen.isAccepted());
        EXPECT_EQ(fallen.dropAction(), Qt::CopyAction);
    }
}

// The zoom editor takes a paste (Ctrl+V, its popup menu) by the same rule,
// within the field's limit; its status bar keeps the line while the text
// stays as it is. OK gives the field what the editor shows.
TEST_F(MainEinfuegen, ZoomEditorBehaeltBeimEinfuegenWasPasst)
{
    const QString status = Zeichenhinweis + u"Ł → L, ź → z ersetzt. Das Feld »PLZ« nimmt nur 8 Zeichen auf; "
                                            u"der Rest der Einfügung wurde weggelassen."_s;
    for (const bool menue : {false, true}) {
        SCOPED_TRACE(menue ? "popup menu" : "Ctrl+V");
        neuerLauf();
        Main& m = aktivStarten();
        QTest::mouseClick(m.Feld(Plz), Qt::LeftButton);
        QGuiApplication::clipboard()->setText(u"Łódź 90-001"_s);
        QString imEditor, imStatus, nachDemTakt;
        amDialog<zbefehle::ZoomText>([&](zbefehle::ZoomText& z) {
            if (menue) {
                QTimer::singleShot(0, [] {
                    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                    ASSERT_NE(popup, nullptr);
                    for (QAction* a : popup->actions())
                        if (a->objectName() == u"edit-paste"_s)
                            popup->setActiveAction(a);
                    QTest::keyClick(popup, Qt::Key_Return);
                });
                QWidget* flaeche = z.Text->viewport();
                QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(4, 4), flaeche->mapToGlobal(QPoint(4, 4)));
                QApplication::sendEvent(flaeche, &rechts);
            } else {
                QTest::keyClick(z.Text, Qt::Key_V, Qt::ControlModifier);
            }
            imEditor = z.Text->text();
            imStatus = z.panelStatus->text();
            z.ZeitInfo_Timer();
            nachDemTakt = z.panelStatus->text();
            z.BefOk->click();
        });
        m.befehlAusfuehren(Befehl::befZoom);
        EXPECT_EQ(imEditor, u"Lódz 90-"_s);
        EXPECT_EQ(imStatus, status);
        EXPECT_EQ(nachDemTakt, status);
        EXPECT_EQ(plattform.toene, QStringList{u"#SystemHand"_s});
        EXPECT_EQ(m.FeldText(Plz), u"Lódz 90-"_s);
        EXPECT_EQ(FeldAus(eintrag(0), Plz), u"Lódz 90-"_s);
    }
}

// The middle button pastes the X selection: by the same rule.
TEST_F(MainEinfuegen, MittelklickBehaeltWasPasst_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "the selection clipboard of X11";
    const struct
    {
        int feld;
        QString text;
        QString feldtext;
        QString status;
    } faelle[] = {
        {Ort, u" Łódź "_s + Lachen, u"Berlin Lódz "_s,
         Zeichenhinweis + u"Ł → L, ź → z ersetzt, "_s + Lachen + u" weggelassen."_s},
        {Plz, u"123456789"_s, u"12345678"_s,
         u"Das Feld »PLZ« nimmt nur 8 Zeichen auf; der Rest der Einfügung wurde weggelassen."_s},
        {Bemerkung, u" Dvořák"_s, u"siehe #19 Dvorák"_s, Zeichenhinweis + u"ř → r ersetzt."_s},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.feld);
        neuerLauf();
        aktivStarten();
        nutzer::mittelklickEinfuegen(mausZiel(f.feld), amEnde(f.feld), f.text);
        pruefen(f.feld, f.feldtext, f.status);
    }
}
