// Every window of the program shown with the program's font on a first
// start: no caption, frame title, tab or button text is cut, no control
// reaches out of its window, and every filled text box shows its beginning.
#include "addressbook/main_hilfen.h"
#include "addressbook/ui/auswahl.h"
#include "addressbook/ui/main.h"
#include "commands/ui/file.h"
#include "commands/ui/info.h"
#include "commands/ui/msgdoppelt.h"
#include "commands/ui/schriftdialog.h"
#include "commands/ui/setup.h"
#include "commands/ui/setupspeziell.h"
#include "commands/ui/sonderzeichen.h"
#include "commands/ui/tips.h"
#include "commands/ui/zoomtext.h"
#include "exchange/ui/adrimport2.h"
#include "exchange/ui/impza.h"
#include "exchange/ui/telewahl.h"
#include "masks/ui/maskenedit.h"
#include "masks/ui/zaexport.h"
#include "payment/ui/formprnlastschrift.h"
#include "payment/ui/formprnnachnahme.h"
#include "payment/ui/formprnueberweisung.h"
#include "platform/ordner.h"
#include "platform/ui/titelbreite.h"
#include "printing/ui/listendruck.h"
#include "printing/ui/printerset.h"
#include "printing/ui/umschlag.h"
#include "support/einfuegewege.h"
#include "support/textpruefung.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <functional>
#include <memory>

using namespace main_test;

namespace {

class Dialoge : public MainFensterTest
{
protected:
    void SetUp() override
    {
        MainFensterTest::SetUp();
        m_schrift = QApplication::font();
        zapp::Schrift_Einrichten();
        // A first start: the installed default files, one long address.
        erstausstattung();
        adressdatei({zeile({{1, u"Kaiser-Wilhelmshaven-Oberndorfer"_s},
                            {2, u"Käthe"_s},
                            {3, u"Hauptstraße 1"_s},
                            {4, u"12345"_s},
                            {5, u"Frankfurt am Main"_s},
                            {10, u"c/o Meier"_s},
                            {17, u"1234567890"_s},
                            {18, u"10070000"_s},
                            {19, u"Deutsche Bank Privat- und Geschäftskunden"_s},
                            {23, u"1"_s}})});
        starten();
    }
    void TearDown() override
    {
        MainFensterTest::TearDown();
        QApplication::setFont(m_schrift);
    }

    // The findings of a shown window, with every tab of every tab control.
    static QStringList pruefen(QWidget& d)
    {
        d.show();
        QApplication::processEvents();
        // With ZETTLORA_BILDER=<folder> each window is kept as a picture to look at.
        const QString bilder = qEnvironmentVariable("ZETTLORA_BILDER");
        if (!bilder.isEmpty())
            d.grab().save(bilder + u'/' + d.objectName() + u".png"_s);
        QStringList befunde = textpruefung::abgeschnitteneTexte(&d);
        for (QTabWidget* t : d.findChildren<QTabWidget*>()) {
            for (int i = 0; i < t->count(); ++i) {
                t->setCurrentIndex(i);
                QApplication::processEvents();
                befunde << textpruefung::abgeschnitteneTexte(&d);
                if (!bilder.isEmpty())
                    d.grab().save(bilder + u'/' + d.objectName() + u'_' + QString::number(i) + u".png"_s);
            }
            t->setCurrentIndex(0);
        }
        befunde.removeDuplicates();
        return befunde;
    }

    std::array<QString, 24> karte() const
    {
        std::array<QString, 24> k;
        for (int i = 0; i < 24; ++i)
            k[size_t(i)] = fenster->FeldText(i);
        return k;
    }

    // Every form of the program, made as its command makes it.
    using Fabrik = std::function<std::unique_ptr<QWidget>()>;
    std::vector<Fabrik> formen()
    {
        QWidget* haupt = fenster.get();
        return {
            [this, haupt] { return std::make_unique<zadressbuch::Auswahl>(haupt); },
            [this, haupt] { return std::make_unique<zbefehle::Info>(haupt); },
            [this, haupt] { return std::make_unique<zbefehle::MsgDoppelt>(haupt); },
            [this, haupt] { return std::make_unique<zbefehle::SchriftDialog>(u"Arial;8;0;0;0;0"_s, 4, 16, haupt); },
            [this, haupt] {
                zbefehle::SetupKarte k;
                k.titel = u"Zettlora"_s;
                return std::make_unique<zbefehle::Setup>(k, haupt);
            },
            [this, haupt] { return std::make_unique<zbefehle::SetupSpeziell>(haupt); },
            [this, haupt] { return std::make_unique<zbefehle::Sonderzeichen>(haupt); },
            [this, haupt] { return std::make_unique<zbefehle::Tips>(haupt); },
            [this, haupt] { return std::make_unique<zbefehle::ZoomText>(haupt, 1); },
            [this, haupt] { return std::make_unique<zaustausch::AdrImport2>(haupt); },
            [this, haupt] { return std::make_unique<zaustausch::ImpZA>(haupt); },
            [this, haupt] { return std::make_unique<zaustausch::Telewahl>(haupt); },
            [this, haupt] { return std::make_unique<zmasken::MaskenEdit>(haupt); },
            [this, haupt] { return std::make_unique<zmasken::ZAexport>(haupt); },
            [this, haupt] { return std::make_unique<zzahlung::FormPrnLastschrift>(karte(), QString(), haupt); },
            [this, haupt] { return std::make_unique<zzahlung::FormPrnNachnahme>(karte(), QString(), haupt); },
            [this, haupt] {
                auto f = std::make_unique<zzahlung::FormPrnUeberweisung>(haupt);
                f->Vorbelegen(fenster->FeldText(2), fenster->FeldText(1), fenster->FeldText(4), fenster->FeldText(5),
                              fenster->FeldText(17), fenster->FeldText(18), fenster->FeldText(19), QString());
                return f;
            },
            [this, haupt] { return std::make_unique<zdruck::Listendruck>(haupt); },
            [this, haupt] { return std::make_unique<zdruck::Umschlag>(haupt); },
        };
    }

private:
    QFont m_schrift;
};

TEST_F(Dialoge, KeinTextAbgeschnitten)
{
    QWidget* haupt = fenster.get();
    QStringList befunde = pruefen(*fenster);
    for (const Fabrik& f : formen()) {
        std::unique_ptr<QWidget> d = f();
        befunde << pruefen(*d);
        d->hide();
    }
    // The two dialogs that stay loaded between uses.
    befunde << pruefen(zbefehle::File::instanz());
    zbefehle::File::instanz().hide();
    befunde << pruefen(zdruck::PrinterSet::laden(haupt));
    zdruck::PrinterSet::entladen();
    EXPECT_TRUE(befunde.isEmpty()) << befunde.join(u'\n').toStdString();
}

// Every window is at least as wide as the program works out for its whole
// title: each form, the two dialogs that stay loaded, one of Qt's own
// dialogs, and a shown window whose title grows.
TEST_F(Dialoge, TitelGanz)
{
    QWidget* haupt = fenster.get();
    std::vector<Fabrik> alle = formen();
    alle.push_back([haupt] {
        auto d = std::make_unique<QColorDialog>(haupt);
        d->setWindowTitle(u"Hintergrundfarbe der Karteikarte und der Adressenliste"_s);
        return d;
    });
    const auto pruefeBreite = [](QWidget& w) {
        SCOPED_TRACE(w.objectName().toStdString() + " \"" + w.windowTitle().toStdString() + "\"");
        QApplication::processEvents();
        EXPECT_FALSE(w.windowTitle().isEmpty());
        EXPECT_GE(w.width(), zplatform::titelBreite(w, w.windowTitle()));
    };
    fenster->show();
    pruefeBreite(*fenster);
    for (const Fabrik& f : alle) {
        std::unique_ptr<QWidget> d = f();
        d->show();
        pruefeBreite(*d);
        d->hide();
    }
    QWidget& datei = zbefehle::File::instanz();
    datei.show();
    pruefeBreite(datei);
    datei.hide();
    // The print options take the job's name into their title while shown.
    QWidget& optionen = zdruck::PrinterSet::laden(haupt);
    optionen.show();
    pruefeBreite(optionen);
    optionen.setWindowTitle(u"Drucken - Zettlora Anschriftenliste mit Telefon und Geburtstag"_s);
    pruefeBreite(optionen);
    zdruck::PrinterSet::entladen();
}

// Every text box of every window keeps what fits of a text, whichever way it
// comes in, and the window says so where it is seen (a hint under the box
// or the status bar) after the sound; the boxes of paths and file names keep
// their letters. A window whose menu takes Ctrl+V for a command (the swap of
// two addresses) pastes with the other ways.
TEST_F(Dialoge, JederTextkastenBehaeltWasPasst)
{
    using nutzer::Weg;
    const QString text = u"Łódź\U0001F600"_s;
    const QStringList pfade{u"File/Bezeichnung"_s, u"AdrImport2/txtDatei"_s, u"SetupSpeziell/txtEintrag"_s};
    std::vector<Fabrik> alle = formen();
    // The file chooser, which stays loaded, as it is shown to save.
    alle.push_back([] {
        zbefehle::File& datei = zbefehle::File::instanz();
        datei.mnuAbbrechen_Click(); // ends a showing before: the next one is set up anew
        datei.Speichern->setChecked(true);
        return std::unique_ptr<QWidget>();
    });
    QStringList geprueft;
    for (const Fabrik& f : alle) {
        std::unique_ptr<QWidget> eigenes = f();
        QWidget& d = eigenes ? *eigenes : zbefehle::File::instanz();
        d.show();
        bool strgVIstBefehl = false;
        for (const QAction* a : d.findChildren<QAction*>())
            strgVIstBefehl |= a->isEnabled() && a->shortcut() == QKeySequence(QKeySequence::Paste);
        const QList<QTabWidget*> reiter = d.findChildren<QTabWidget*>();
        // The tab that holds w comes to the front.
        const auto zeigen = [&reiter](QWidget* w) {
            for (QTabWidget* t : reiter)
                for (int i = 0; i < t->count(); ++i)
                    if (t->widget(i)->isAncestorOf(w))
                        t->setCurrentIndex(i);
            return w->isVisible();
        };
        QList<QWidget*> kaesten;
        for (QWidget* w : d.findChildren<QWidget*>()) {
            auto* kombi = qobject_cast<QComboBox*>(w);
            auto* zeile = qobject_cast<QLineEdit*>(w);
            auto* mehrzeilig = qobject_cast<QPlainTextEdit*>(w);
            if ((kombi && kombi->isEditable()) ||
                (zeile && !zeile->isReadOnly() && !qobject_cast<QComboBox*>(w->parentWidget()) &&
                 !qobject_cast<QAbstractSpinBox*>(w->parentWidget())) ||
                (mehrzeilig && !mehrzeilig->isReadOnly()))
                if (w->isEnabled() && zeigen(w))
                    kaesten << w;
        }
        for (QWidget* w : kaesten) {
            zeigen(w);
            const QString name = d.objectName() + u'/' + w->objectName();
            geprueft << name;
            const bool pfad = pfade.contains(name);
            for (Weg weg : {Weg::StrgV, Weg::ShiftEinfg, Weg::Menue, Weg::Fallenlassen, Weg::Eingabemethode}) {
                if (weg == Weg::StrgV && strgVIstBefehl)
                    continue;
                SCOPED_TRACE(name.toStdString() + " " + nutzer::name(weg));
                plattform.toene.clear();
                if (auto* z = qobject_cast<QLineEdit*>(nutzer::textkasten(w)))
                    z->clear();
                else
                    static_cast<QPlainTextEdit*>(w)->clear();
                nutzer::hineinbringen(w, weg, text);
                EXPECT_EQ(nutzer::kastentext(w), pfad ? text : u"Lódz"_s);
                if (pfad)
                    continue;
                EXPECT_EQ(plattform.toene, QStringList{u"#SystemHand"_s});
                QStringList gesehen;
                for (const QLabel* l : d.findChildren<QLabel*>())
                    if (l->isVisible() && l->text().contains(u"Ł → L, ź → z ersetzt, \U0001F600 weggelassen."_s))
                        gesehen << l->text();
                EXPECT_EQ(gesehen.size(), 1) << gesehen.join(u" | "_s).toStdString();
            }
        }
        d.hide();
    }
    // Each window's boxes, the paths among them.
    for (const char* name :
         {"FormPrnUeberweisung/TxtEmpfaengerName", "FormPrnUeberweisung/TxtWaehrung", "FormPrnLastschrift/TxtEmpName",
          "FormPrnNachnahme/txtOrt", "Umschlag/TxtAnschrift", "Listendruck/KombiFilter", "Listendruck/TxtUeberschrift",
          "Sonderzeichen/Text", "SetupSpeziell/txtSchluessel", "ImpZA/Feld_0", "MaskenEdit/Text1", "ZAexport/Text",
          "ZoomText/Text", "Telewahl/txtNummer", "File/Bezeichnung", "AdrImport2/txtDatei", "SetupSpeziell/txtEintrag"})
        EXPECT_TRUE(geprueft.contains(QString::fromLatin1(name)))
            << name << " in " << geprueft.join(u' ').toStdString();
}

} // namespace
