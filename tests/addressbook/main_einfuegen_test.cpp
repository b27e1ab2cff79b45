// Text that comes into a card field (pasted, dropped, committed by an input
// method, or through the zoom editor) keeps what the address file and the
// field take; the sound of a refused key and the status bar say what changed.
#include "main_hilfen.h"

#include "commands/ui/zoomtext.h"
#include "support/dialoghilfe.h"
#include "support/nutzereingabe.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>

using namespace zadressbuch;
using main_test::zeile;

namespace {

const QString Lachen = QString::fromUtf8("\xF0\x9F\x98\x80"); // an emoji
const QString Zeichenhinweis = u"In der Adressdatei nicht speicherbar: "_s;
QString laenge(const QString& feld, int n)
{
    return u"Das Feld »%1« nimmt nur %2 Zeichen auf; der Rest der Einfügung wurde weggelassen."_s.arg(feld).arg(n);
}

enum Weg { StrgV, ShiftEinfg, Fallenlassen, Eingabemethode, Mittelklick };
struct Fall
{
    const char* name;
    Weg weg;
    int feld;
    QString text, feldtext, status; // what comes, what the field then holds, what the status bar says
};

class MainEinfuegen : public main_test::MainFensterTest
{
protected:
    Main& aktivStarten()
    {
        neuerLauf();
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
    // The widget that takes the mouse in a field, and a point right of the end of its first line.
    QWidget* mausZiel(int feld) const { return feld == Bemerkung ? bemerkung()->viewport() : fenster->Feld(feld); }
    QPoint amEnde(int feld) const
    {
        QWidget* w = mausZiel(feld);
        return feld == Bemerkung
                   ? QPoint(w->width() - 6, bemerkung()->cursorRect(QTextCursor(bemerkung()->document())).center().y())
                   : QPoint(w->width() - 4, w->height() / 2);
    }
    // Brings the text in at the end of the field; then the field, its address
    // and the saved file hold what it keeps, and the status bar says why.
    void einfuegen(const Fall& f)
    {
        SCOPED_TRACE(f.name);
        Main& m = aktivStarten();
        QTest::mouseClick(mausZiel(f.feld), Qt::LeftButton, {}, amEnde(f.feld));
        QGuiApplication::clipboard()->setText(f.text);
        if (f.weg == StrgV)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        else if (f.weg == ShiftEinfg)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ShiftModifier);
        else if (f.weg == Fallenlassen)
            nutzer::textFallenLassen(mausZiel(f.feld), amEnde(f.feld), f.text);
        else if (f.weg == Eingabemethode)
            nutzer::eingabemethodeUebergeben(m.Feld(f.feld), f.text);
        else
            nutzer::mittelklickEinfuegen(mausZiel(f.feld), amEnde(f.feld), f.text);
        EXPECT_EQ(m.FeldText(f.feld), f.feldtext);
        EXPECT_EQ(FeldAus(eintrag(0), f.feld), f.feldtext);
        EXPECT_EQ(panel("Status"), f.status);
        EXPECT_EQ(plattform.toene, f.status == u"Bereit"_s ? QStringList() : QStringList{u"#SystemHand"_s});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        const QString datei = QString::fromLatin1(dateiBytes());
        EXPECT_TRUE(datei.contains(u"\t"_s + QString(f.feldtext).replace(u"\r\n"_s, u"°°"_s) + u"\t"_s))
            << datei.toStdString();
    }
};

} // namespace

TEST_F(MainEinfuegen, EinfuegenInDieKarteBehaeltWasPasst)
{
    const QString strasse = u"Hauptstraße 123, Hinterhaus links, 3. Obergeschoss, bei Schmidt"_s;
    const Fall faelle[] = {
        {"Ctrl+V", StrgV, Ort, u" Łódź"_s, u"Berlin Lódz"_s, Zeichenhinweis + u"Ł → L, ź → z ersetzt."_s},
        {"Shift+Insert", ShiftEinfg, Nachname, u"-Dvořák"_s, u"Müller-Dvorák"_s, Zeichenhinweis + u"ř → r ersetzt."_s},
        {"dropped", Fallenlassen, Vorname, u" Gruß aus Kraków "_s + Lachen, u"Hans Gruß aus Kraków "_s,
         Zeichenhinweis + Lachen + u" weggelassen."_s},
        {"input method", Eingabemethode, Ort, u" Timișoara"_s, u"Berlin Timisoara"_s,
         Zeichenhinweis + u"ș → s ersetzt."_s},
        {"Ctrl+V, too long", StrgV, Strasse, strasse, strasse.left(50), laenge(u"Straße"_s, 50)},
        {"dropped, too long", Fallenlassen, Kontonummer, u"DE89 3704 0044 0532 0130 00"_s, u"DE89 3704 "_s,
         laenge(u"Kontonummer"_s, 10)},
        {"input method, too long", Eingabemethode, Plz, u"D-123456789"_s, u"D-123456"_s, laenge(u"PLZ"_s, 8)},
        {"Shift+Insert, both", ShiftEinfg, Plz, u"Łódź 90-001"_s, u"Lódz 90-"_s,
         Zeichenhinweis + u"Ł → L, ź → z ersetzt. "_s + laenge(u"PLZ"_s, 8)},
        {"Ctrl+V into the remark", StrgV, Bemerkung, u"\r\nGrüße ☺ Łukasz"_s, u"siehe #19\r\nGrüße  Lukasz"_s,
         Zeichenhinweis + u"Ł → L ersetzt, ☺ weggelassen."_s},
        {"dropped into the remark", Fallenlassen, Bemerkung, u" 東京"_s, u"siehe #19 "_s,
         Zeichenhinweis + u"東, 京 weggelassen."_s},
        {"Ctrl+V, as it is", StrgV, Ort, u"-Süd"_s, u"Berlin-Süd"_s, u"Bereit"_s},
    };
    for (const Fall& f : faelle)
        einfuegen(f);
}

TEST_F(MainEinfuegen, MittelklickBehaeltWasPasst_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "the selection clipboard of X11";
    const Fall faelle[] = {
        {"place", Mittelklick, Ort, u" Łódź "_s + Lachen, u"Berlin Lódz "_s,
         Zeichenhinweis + u"Ł → L, ź → z ersetzt, "_s + Lachen + u" weggelassen."_s},
        {"postcode", Mittelklick, Plz, u"123456789"_s, u"12345678"_s, laenge(u"PLZ"_s, 8)},
        {"remark", Mittelklick, Bemerkung, u" Dvořák"_s, u"siehe #19 Dvorák"_s, Zeichenhinweis + u"ř → r ersetzt."_s},
    };
    for (const Fall& f : faelle)
        einfuegen(f);
}

// A paste of nothing the file holds over a selection takes the selection's
// place, as every paste does: the field is emptied, and the status says why.
TEST_F(MainEinfuegen, NichtsWasPasstErsetztDieAuswahl)
{
    for (const int feld : {int(Ort), int(Bemerkung)}) {
        SCOPED_TRACE(feld);
        Main& m = aktivStarten();
        QTest::mouseClick(mausZiel(feld), Qt::LeftButton, {}, amEnde(feld));
        if (auto* zeile = qobject_cast<QLineEdit*>(m.Feld(feld)))
            zeile->selectAll();
        else
            bemerkung()->selectAll();
        QGuiApplication::clipboard()->setText(Lachen + u"東京"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(m.FeldText(feld), QString());
        EXPECT_EQ(FeldAus(eintrag(0), feld), QString());
        EXPECT_EQ(panel("Status"), Zeichenhinweis + Lachen + u", 東, 京 weggelassen."_s);
    }
}

// A text partly left out is copied, never moved: the rest stays where it was dragged from.
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

// The same with a real drag through the X server, as the user drags a text
// from another text box: Qt proposes to move it then (a made-up drop event
// has no drag behind it and gets a copy in any case). The text goes in as far
// as it fits, and the box it came from keeps all of it.
TEST_F(MainEinfuegen, GezogenesWirdNurKopiertWennNichtAllesPasst_X11)
{
    if (!nutzer::unterX11())
        GTEST_SKIP() << "needs a drag through the X server";
    const QString lang = u"Lieferung nur nach Anruf bei Frau Schmidt"_s;
    // A text box of another window, as another program's would be.
    QPlainTextEdit notizen;
    notizen.setWindowTitle(u"Notizen"_s);
    notizen.setPlainText(u"Hinterhaus, 3. Stock links"_s);
    // The remark filled up to 5 characters below its limit (the other fields of the address take 52).
    const QString fast = QString(1023 - 52 - 5, u'y');
    struct Ziehen
    {
        const char* name;
        int ziel;
        QString bemerkung;    // the remark at the start
        bool ausDerBemerkung; // dragged from the remark, else from the other window
        QString dazu;         // what of it the field dropped into takes
    };
    const Ziehen faelle[] = {
        {"remark into a line field", Land, lang, true, lang.left(20)},
        {"other window into the remark", Bemerkung, fast, false, u"Hinte"_s},
    };
    for (const Ziehen& f : faelle) {
        SCOPED_TRACE(f.name);
        neuerLauf();
        adressdatei({u"..Kunden"_s, zeile({{Nachname, u"Müller"_s},
                                           {Vorname, u"Hans"_s},
                                           {Ort, u"Berlin"_s},
                                           {Bemerkung, f.bemerkung},
                                           {GeaendertAm, u"15.06.2000"_s},
                                           {Index, u"17"_s}})});
        Main& m = starten();
        QWidget* quelleFenster = &m;
        QPlainTextEdit* quelle = bemerkung();
        if (!f.ausDerBemerkung) {
            notizen.setGeometry(m.frameGeometry().right() + 20, m.y(), 300, 200);
            notizen.show();
            quelleFenster = &notizen;
            quelle = &notizen;
        }
        nutzer::nachVorneHolen(*quelleFenster);
        ASSERT_TRUE(QTest::qWaitForWindowActive(quelleFenster));
        nutzer::klicken(*quelleFenster, quelle->viewport()->mapTo(quelleFenster, QPoint(4, 4)));
        quelle->selectAll();
        const QString vorher = quelle->toPlainText();
        const QString zielVorher = m.FeldText(f.ziel);
        // The gesture in the main window's coordinates (the other window
        // stands to its right): the first step inside the box begins the drag
        // (a step out of it would also start a plain box's scrolling, which
        // then begins one drag after the other), the rest goes to the field.
        auto imFenster = [&m](QWidget* w, QPoint p) { return m.mapFromGlobal(w->mapToGlobal(p)); };
        const QPoint start =
            imFenster(quelle->viewport(), quelle->cursorRect(QTextCursor(quelle->document())).center() + QPoint(8, 0));
        const QPoint los = start + QPoint(20, 0);
        const QPoint ziel = imFenster(mausZiel(f.ziel), amEnde(f.ziel));
        nutzer::ziehenX11(m, start, {los, (los + ziel) / 2, ziel});
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return m.FeldText(f.ziel).size() == zielVorher.size() + f.dazu.size(); }, 5000))
            << "the drop did not come";
        EXPECT_TRUE(m.FeldText(f.ziel).contains(f.dazu));
        // What was dragged stays where it came from.
        EXPECT_EQ(quelle->toPlainText(), vorher);
        EXPECT_EQ(FeldAus(eintrag(0), Bemerkung), f.ziel == Bemerkung ? m.FeldText(Bemerkung) : vorher);
        notizen.hide();
    }
}

// The zoom editor's paste (Ctrl+V, its popup menu) keeps to the field's
// limit; its status line outlasts the clock's tick; OK gives the field the text.
TEST_F(MainEinfuegen, ZoomEditorBehaeltBeimEinfuegenWasPasst)
{
    const QString status = Zeichenhinweis + u"Ł → L, ź → z ersetzt. "_s + laenge(u"PLZ"_s, 8);
    for (const bool menue : {false, true}) {
        SCOPED_TRACE(menue ? "popup menu" : "Ctrl+V");
        Main& m = aktivStarten();
        QTest::mouseClick(m.Feld(Plz), Qt::LeftButton);
        QGuiApplication::clipboard()->setText(u"Łódź 90-001"_s);
        QStringList gesehen; // the editor's text, its status, the status after a tick, the field, the address
        amDialog<zbefehle::ZoomText>([&](zbefehle::ZoomText& z) {
            if (menue) {
                QTimer::singleShot(0, [] {
                    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                    ASSERT_NE(popup, nullptr);
                    popup->setActiveAction(popup->findChild<QAction*>(u"edit-paste"_s));
                    QTest::keyClick(popup, Qt::Key_Return);
                });
                QWidget* flaeche = z.Text->viewport();
                QContextMenuEvent rechts(QContextMenuEvent::Mouse, QPoint(4, 4), flaeche->mapToGlobal(QPoint(4, 4)));
                QApplication::sendEvent(flaeche, &rechts);
            } else {
                QTest::keyClick(z.Text, Qt::Key_V, Qt::ControlModifier);
            }
            gesehen << z.Text->text() << z.panelStatus->text();
            z.ZeitInfo_Timer();
            gesehen << z.panelStatus->text();
            z.BefOk->click();
        });
        m.befehlAusfuehren(Befehl::befZoom);
        gesehen << m.FeldText(Plz) << FeldAus(eintrag(0), Plz);
        EXPECT_EQ(gesehen, (QStringList{u"Lódz 90-"_s, status, status, u"Lódz 90-"_s, u"Lódz 90-"_s}));
        EXPECT_EQ(plattform.toene, QStringList{u"#SystemHand"_s});
    }
}
