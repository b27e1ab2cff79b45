// The file chooser on the real form (offscreen): set-up, selection, OK and
// cancel, name cleaning, long paths, rename and delete with their guards.
#include "befehle_hilfe.h"
#include "support/kuerzel.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;
using zadressbuch::sitzung;
using zbefehle::File;

namespace {

class FileTest : public BefehleTest
{
protected:
    void SetUp() override
    {
        BefehleTest::SetUp();
        ordner = sitzung().DatenOrdner;
    }
    void TearDown() override
    {
        if (f.isVisible())
            f.befAbbrechen->click();
        f.amEnde->setChecked(false); // the one chooser serves the other tests too
        f.bezAusschluss->clear();
        BefehleTest::TearDown();
    }

    // Sets the inputs as a caller does and shows the form (not modal, so the
    // test can work on it; the set-up runs as at every showing).
    void zeigen(const QString& vorschlag, bool laden, const QString& kuerzel = u"Dat"_s)
    {
        f.Bezeichnung->setText(vorschlag);
        f.Kuerzel->setText(kuerzel);
        (laden ? f.Laden : f.Speichern)->setChecked(true);
        f.setPfad(ordner);
        f.show();
    }
    // What the caller reads: the name box once the chooser is hidden; "offen" while it is shown.
    QString ergebnis() const { return f.isVisible() ? u"offen"_s : f.Bezeichnung->text(); }
    QStringList eintraege() const
    {
        QStringList r;
        for (int i = 0; i < f.Datei1->count(); ++i)
            r << f.Datei1->item(i)->text();
        return r;
    }
    void waehle(const QString& name)
    {
        const auto treffer = f.Datei1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(treffer.size(), 1);
        f.Datei1->setCurrentItem(treffer.first());
    }

    File& f = File::instanz();
    QString ordner;
};

} // namespace

TEST_F(FileTest, LadenZeigtBeschreibungUndLiefertDenPfad)
{
    schreiben(u"daten/Auszug.Dat"_s, u"..Erste Zeile~Zweite Zeile\r\nA\t\r\n"_s);
    schreiben(u"daten/b.dat"_s, u"kein Kopf\r\n"_s);
    schreiben(u"daten/a.b.Dat"_s, u"x\r\n"_s);
    schreiben(u"daten/c.txt"_s, u"x"_s);
    zeigen(u"/irgendwo/Auszug.Dat"_s, true);
    EXPECT_EQ(f.windowTitle(), u"Datei laden"_s);
    EXPECT_EQ(eintraege(), (QStringList{u"a.b.Dat"_s, u"Auszug.Dat"_s, u"b.dat"_s}));
    EXPECT_EQ(f.Bezeichnung->text(), u"Auszug"_s);
    ASSERT_NE(f.Datei1->currentItem(), nullptr);
    EXPECT_EQ(f.Datei1->currentItem()->text(), u"Auszug.Dat"_s);
    EXPECT_EQ(f.BezInfo->text(), u"Erste Zeile\nZweite Zeile"_s);
    EXPECT_TRUE(f.BezHinweise->text().startsWith(ordner + u"/Auszug.Dat\nVom: "_s));
    EXPECT_TRUE(f.BezHinweise->text().endsWith(u"Größe: 32 Bytes"_s));
    EXPECT_TRUE(f.BefOk->isEnabled());

    waehle(u"b.dat"_s);
    EXPECT_EQ(f.Bezeichnung->text(), u"b"_s);
    EXPECT_TRUE(f.BezInfo->text().isEmpty());

    // A name with two points: OK gives the very file clicked.
    waehle(u"a.b.Dat"_s);
    EXPECT_EQ(f.Bezeichnung->text(), u"a.b"_s);
    f.mnuOk->trigger();
    EXPECT_EQ(ergebnis(), ordner + u"/a.b.Dat"_s);

    // Without a name OK does nothing (the menu entry stays enabled in load mode).
    zeigen(QString(), true);
    EXPECT_FALSE(f.BefOk->isEnabled());
    EXPECT_TRUE(f.mnuOk->isEnabled());
    f.mnuOk->trigger();
    EXPECT_EQ(ergebnis(), u"offen"_s);

    // A double-click takes the file at once.
    waehle(u"b.dat"_s);
    const QPoint b = f.Datei1->visualItemRect(f.Datei1->currentItem()).center();
    QTest::mouseClick(f.Datei1->viewport(), Qt::LeftButton, {}, b);
    QTest::mouseDClick(f.Datei1->viewport(), Qt::LeftButton, {}, b);
    EXPECT_EQ(ergebnis(), ordner + u"/b.Dat"_s);
}

TEST_F(FileTest, AbbruchEscUndSchliessfeldGebenLeer)
{
    const std::pair<const char*, std::function<void()>> wege[] = {
        {"Abbrechen", [this] { f.befAbbrechen->click(); }},
        {"Esc", [this] { QTest::keyClick(&f, Qt::Key_Escape); }},
        {"Schliessfeld", [this] { f.close(); }},
    };
    for (const auto& [weg, abbrechen] : wege) {
        zeigen(u"x"_s, false);
        abbrechen();
        EXPECT_EQ(ergebnis(), QString()) << weg;
    }
}

TEST_F(FileTest, SpeichernBereinigtDenNamenUndFragtVorDemUeberschreiben)
{
    zeigen(QString(), false);
    EXPECT_EQ(f.windowTitle(), u"Datei speichern unter"_s);
    EXPECT_FALSE(f.mnuOk->isEnabled());
    QTest::keyClicks(f.Bezeichnung, u"a.b c/d"_s);
    EXPECT_EQ(f.Bezeichnung->text(), u"a_b_c_d"_s);
    EXPECT_TRUE(f.mnuOk->isEnabled());

    // Text that reached the box some other way is cleaned whole at OK.
    f.Bezeichnung->setText(u"../x\ty:z"_s);
    f.BefOk->click();
    EXPECT_EQ(ergebnis(), ordner + u"/___x_y_z.Dat"_s);

    // An existing file: asked; No stays in the chooser, Yes takes it.
    schreiben(u"daten/Alt.Dat"_s, u"x"_s);
    zeigen(u"Alt"_s, false);
    plattform->antworten << zplatform::vbNo << zplatform::vbYes;
    f.BefOk->click();
    EXPECT_EQ(ergebnis(), u"offen"_s);
    EXPECT_EQ(f.Bezeichnung->text(), u"Alt"_s);
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, u"Datei speichern unter"_s);
    EXPECT_EQ(plattform->meldungen[0].text,
              u"Datei »"_s + ordner +
                  u"/Alt.Dat« besteht bereits.\r\n\r\nMöchten Sie, dass diese Datei überschrieben wird?"_s);
    f.BefOk->click();
    EXPECT_EQ(ergebnis(), ordner + u"/Alt.Dat"_s);
}

TEST_F(FileTest, LangeOrdnerUndNamenAusDerListeBleibenGanz)
{
    // A folder deeper than the 255 characters a typed name may have.
    for (int i = 0; ordner.size() < 300; ++i)
        ordner += u"/Unterordner_mit_langem_Namen_%1"_s.arg(i);
    ASSERT_TRUE(QDir().mkpath(ordner));
    const QString datei = ordner + u"/Meine Adressen.Dat"_s;
    QFile d(datei);
    ASSERT_TRUE(d.open(QIODevice::WriteOnly));
    d.close();
    // The chooser as the commands call it (modal).
    const auto waehlen = [this](const QString& vorschlag, bool laden, const std::function<void(File&)>& schritte) {
        QString r;
        EXPECT_TRUE(mitDateiwahl([&] { r = File::waehlen({vorschlag, u".Dat"_s, laden, ordner}); }, schritte));
        return r;
    };

    // Load mode: the long proposal still selects its file (though the box's
    // typing limit stands from a use before); the result is the whole path.
    zeigen(QString(), true);
    f.befAbbrechen->click();
    EXPECT_EQ(waehlen(datei, true,
                      [](File& f) {
                          EXPECT_EQ(f.Bezeichnung->text(), u"Meine Adressen"_s);
                          EXPECT_EQ(f.Bezeichnung->maxLength(), 255);
                          f.BefOk->click();
                      }),
              datei);

    // Save mode: the file picked from the list is returned as it is named
    // (after the question), a typed blank still becomes "_".
    plattform->antworten << zplatform::vbYes;
    EXPECT_EQ(waehlen(QString(), false,
                      [this](File& f) {
                          waehle(u"Meine Adressen.Dat"_s);
                          f.BefOk->click();
                      }),
              datei);
    EXPECT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(waehlen(QString(), false,
                      [](File& f) {
                          QTest::keyClicks(f.Bezeichnung, u"Neue Adressen"_s);
                          f.BefOk->click();
                      }),
              ordner + u"/Neue_Adressen.Dat"_s);
}

TEST_F(FileTest, UmbenennenIstEinSchritt)
{
    schreiben(u"daten/alt.Dat"_s, u"..Alt\r\n"_s);
    schreiben(u"daten/ziel.Dat"_s, u"..Ziel\r\n"_s);
    zeigen(QString(), true);

    // Refusals: nothing selected, a forbidden character, the same name; a cancelled box.
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), u"Keine Datei zum Umbenennen ausgewählt."_s);
    waehle(u"alt.Dat"_s);
    plattform->eingaben << u"neu name"_s << u"ALT"_s << u"<abbruch>"_s;
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), u"Ungültiges Zeichen im Dateinamen enthalten."_s);
    EXPECT_EQ(plattform->eingabePrompts.back(), u"Gegen Sie einen neuen Dateinamen für »alt« ein.\r\n\r\n"
                                                u"Das Dateikürzel wird automatisch auf »Dat« gesetzt."_s);
    EXPECT_TRUE(plattform->eingabeBoxen.back().pfad) << "the name keeps its letters";
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), u"Sie haben keinen neuen Dateinamen gewählt."_s);
    const size_t vorher = plattform->meldungen.size();
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->meldungen.size(), vorher);

    // A new name: the extension stays, the list shows and selects the file.
    plattform->eingaben << u"neu.txt"_s;
    f.befUmbennen->trigger();
    EXPECT_FALSE(QFile::exists(ordner + u"/alt.Dat"_s));
    EXPECT_EQ(lesen(u"daten/neu.Dat"_s), u"..Alt\r\n"_s);
    EXPECT_EQ(eintraege(), (QStringList{u"neu.Dat"_s, u"ziel.Dat"_s}));
    EXPECT_EQ(f.Datei1->currentItem()->text(), u"neu.Dat"_s);

    // Onto an existing file: asked; No keeps both, Yes replaces the target.
    plattform->eingaben << u"ziel"_s << u"ziel"_s;
    plattform->antworten << zplatform::vbNo << zplatform::vbYes;
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(),
              u"ziel\r\nbesteht bereits.\r\n\r\nMöchten Sie, dass diese Datei überschrieben wird?"_s);
    EXPECT_EQ(lesen(u"daten/ziel.Dat"_s), u"..Ziel\r\n"_s);
    f.befUmbennen->trigger();
    EXPECT_EQ(lesen(u"daten/ziel.Dat"_s), u"..Alt\r\n"_s);
    EXPECT_EQ(eintraege(), QStringList{u"ziel.Dat"_s});
}

TEST_F(FileTest, DieOffeneAdressdateiBleibtUnangetastet)
{
    schreiben(u"daten/Zettlora.dat"_s, u"..Offen\r\n"_s);
    schreiben(u"daten/andere.dat"_s, u"..Andere\r\n"_s);
    sitzung().AdressDateiName = ordner + u"/zettlora.dat"_s; // case as the program may hold it
    zeigen(QString(), true);

    waehle(u"Zettlora.dat"_s);
    f.befUmbennen->trigger();
    EXPECT_TRUE(plattform->eingabePrompts.isEmpty()); // refused before any question
    f.BefLoeschen->trigger();
    // Nor may another file be renamed onto it.
    waehle(u"andere.dat"_s);
    plattform->eingaben << u"Zettlora"_s;
    plattform->antworten << zplatform::vbYes;
    f.befUmbennen->trigger();
    ASSERT_EQ(plattform->meldungen.size(), 3u);
    for (const auto& m : plattform->meldungen)
        EXPECT_TRUE(m.text.contains(u"geöffnete Adressdatei"_s)) << m.text.toStdString();
    EXPECT_EQ(lesen(u"daten/Zettlora.dat"_s), u"..Offen\r\n"_s);
    EXPECT_EQ(lesen(u"daten/andere.dat"_s), u"..Andere\r\n"_s);
}

TEST_F(FileTest, LoeschenNachFrage)
{
    schreiben(u"daten/weg.dat"_s, u"x"_s);
    zeigen(QString(), true);
    f.BefLoeschen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), u"Keine Datei zum Löschen ausgewählt."_s);

    waehle(u"weg.dat"_s);
    plattform->antworten << zplatform::vbNo << zplatform::vbYes;
    f.BefLoeschen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), u"Datei »weg.dat« löschen."_s);
    EXPECT_TRUE(QFile::exists(ordner + u"/weg.dat"_s));
    f.BefLoeschen->trigger();
    EXPECT_FALSE(QFile::exists(ordner + u"/weg.dat"_s));
    EXPECT_TRUE(eintraege().isEmpty());
    EXPECT_TRUE(f.Bezeichnung->text().isEmpty());
    EXPECT_FALSE(f.BefOk->isEnabled());
}

TEST_F(FileTest, NurLesenKuerzelUndAusschluss)
{
    // Read-only: no OK in save mode; no rename or delete in either mode.
    sitzung().NurLesen = true;
    for (bool laden : {false, true}) {
        zeigen(u"x"_s, laden);
        EXPECT_EQ(f.BefOk->isVisible(), laden);
        EXPECT_FALSE(f.mnuOk->isVisible() && f.mnuOk->isEnabled());
        EXPECT_FALSE(f.befUmbennen->isEnabled());
        EXPECT_FALSE(f.BefLoeschen->isEnabled());
        f.befAbbrechen->click();
    }

    // The extension: a leading "." added, at most four characters.
    schreiben(u"daten/a.Tex"_s, u"x"_s);
    schreiben(u"daten/geheim.Tex"_s, u"x"_s);
    zeigen(QString(), true, u"Text"_s);
    EXPECT_EQ(f.erweiterung(), u".Tex"_s);
    EXPECT_EQ(eintraege(), (QStringList{u"a.Tex"_s, u"geheim.Tex"_s}));
    f.befAbbrechen->click();

    // An excluded name is not selected, not even as the last entry.
    f.bezAusschluss->setText(u"GEHEIM"_s);
    f.amEnde->setChecked(true);
    zeigen(QString(), true, u"Tex"_s);
    EXPECT_TRUE(f.Datei1->selectedItems().isEmpty());
    EXPECT_EQ(f.BezInfo->text(), u"Keine gültige Datei."_s);
}

TEST(FileNamen, BasisnameUndBereinigung)
{
    const std::pair<QString, QString> basis[] = {
        {u"/a/b/Auszug.Dat"_s, u"Auszug"_s},
        {u"a.b.DAT"_s, u"a.b"_s},
        {u"a.b.Msk"_s, u"a"_s},
        {u"C:\\Daten\\Kunden.Dat"_s, u"Kunden"_s},
    };
    for (const auto& [name, erwartet] : basis)
        EXPECT_EQ(File::Basisname(name, u".Dat"_s), erwartet) << name.toStdString();
    EXPECT_EQ(File::Name_Bereinigen(u"a b.c,d;e:f|g^h´i`j*k?l\\m/n\x01o"_s), u"a_b_c_d_e_f_g_h_i_j_k_l_m_n_o"_s);
    EXPECT_EQ(File::Name_Bereinigen(u"Müller-Lüdenscheidt"_s), u"Müller-Lüdenscheidt"_s);
}

// Alt+D opens the menu "Datei": no control of the form claims that letter.
TEST_F(FileTest, AltDOeffnetDasMenueDatei)
{
    zeigen(u"x"_s, true);
    EXPECT_EQ(kuerzel::menueKonflikte(&f), QStringList());
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(&f, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return f.mnuDatei->isVisible(); }, 2000));
    f.mnuDatei->hide();
}

// The hints (path, date, size) show all their lines however long the path;
// the description moves down and keeps its bottom.
TEST_F(FileTest, HinweiseZeigenAlleZeilen)
{
    zeigen(u"x"_s, true);
    const QRect infoVorher = f.BezInfo->geometry();
    const QString tief = u"daten/Ein-sehr-langer-Ordnername-fuer-die-Adressen/Noch-ein-Ordner-mit-langem-Namen/"
                         "Und-ein-dritter-Ordner"_s;
    schreiben(tief + u"/Kunden.Dat"_s, u"..Kunden\r\nA\t\r\n"_s);
    ordner = wurzel->wurzel() + u'/' + tief;
    f.befAbbrechen->click();
    zeigen(u"Kunden"_s, true);
    waehle(u"Kunden.Dat"_s);
    ASSERT_TRUE(f.BezHinweise->text().endsWith(u" Bytes"_s));

    const QLabel* h = f.BezHinweise;
    const int zeilen = f.BezHinweise->text().count(u'\n') + 1;
    EXPECT_GE(h->height(), h->heightForWidth(h->width())) << "every line fits";
    EXPECT_GT(h->heightForWidth(h->width()), zeilen * h->fontMetrics().lineSpacing()) << "the long path wraps";
    EXPECT_GE(f.BezInfo->y(), h->geometry().bottom());
    EXPECT_EQ(f.BezInfo->geometry().bottom(), infoVorher.bottom());
    const int langOben = f.BezInfo->y();

    // A short path again: the hints shrink back, the description returns to its place.
    ordner = wurzel->wurzel() + u"/daten"_s;
    schreiben(u"daten/a.dat"_s, u"..A\r\n"_s);
    f.befAbbrechen->click();
    zeigen(u"a"_s, true);
    waehle(u"a.dat"_s);
    EXPECT_LT(f.BezInfo->y(), langOben) << f.BezHinweise->text().toStdString();
    EXPECT_GE(f.BezInfo->y(), h->geometry().bottom());
    EXPECT_EQ(f.BezInfo->geometry().bottom(), infoVorher.bottom());
}
