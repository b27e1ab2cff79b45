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
#include "support/textpruefung.h"

#include <QColorDialog>
#include <QDir>
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

} // namespace
