// The file chooser on the real form (offscreen): set-up, selection, OK and
// cancel, name cleaning, rename and delete with their guards.
#include "befehle_hilfe.h"

#include "commands/ui/file.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using zadressbuch::sitzung;
using zbefehle::File;

class FileTest : public BefehleTest
{
protected:
    void SetUp() override
    {
        BefehleTest::SetUp();
        ordner = sitzung().DatenOrdner;
        File& f = File::instanz();
        f.amEnde->setChecked(false);
        f.bezAusschluss->clear();
    }
    void TearDown() override
    {
        File& f = File::instanz();
        if (f.isVisible())
            f.befAbbrechen->click();
        BefehleTest::TearDown();
    }

    // Sets the inputs as a caller does and shows the form (not modal, so the
    // test can work on it; the set-up runs as at every showing).
    File& zeigen(const QString& vorschlag, bool laden, const QString& kuerzel = QStringLiteral("Dat"))
    {
        File& f = File::instanz();
        f.Bezeichnung->setText(vorschlag);
        f.Kuerzel->setText(kuerzel);
        (laden ? f.Laden : f.Speichern)->setChecked(true);
        f.setPfad(ordner);
        f.show();
        return f;
    }

    QStringList eintraege() const
    {
        QStringList r;
        const File& f = File::instanz();
        for (int i = 0; i < f.Datei1->count(); ++i)
            r << f.Datei1->item(i)->text();
        return r;
    }

    void waehle(const QString& name)
    {
        File& f = File::instanz();
        const auto treffer = f.Datei1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(treffer.size(), 1);
        f.Datei1->setCurrentItem(treffer.first());
    }

    QString ordner;
};

TEST_F(FileTest, FormUndSteuerelemente)
{
    File& f = File::instanz();
    EXPECT_EQ(&f, &File::instanz());
    EXPECT_EQ(f.objectName(), QStringLiteral("File"));
    for (const char* name : {"Bezeichnung", "BezBezeichnung", "Kuerzel", "Laden", "Speichern", "Datei1", "amEnde",
                             "bezAusschluss", "BezHinweise", "BezInfo", "BefOk", "befAbbrechen"})
        EXPECT_NE(f.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"mnuOk", "befUmbennen", "BefLoeschen", "mnuAbbrechen"})
        EXPECT_NE(f.findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_TRUE(f.Kuerzel->isHidden());
    EXPECT_TRUE(f.Laden->isHidden());
    EXPECT_EQ(f.mnuOk->text(), QStringLiteral("&Auswählen"));
    EXPECT_EQ(f.BefLoeschen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
}

TEST_F(FileTest, LadenZeigtBeschreibungUndLiefertDenPfad)
{
    schreiben(QStringLiteral("daten/Auszug.Dat"), QStringLiteral("..Erste Zeile~Zweite Zeile\r\nA\t\r\n"));
    schreiben(QStringLiteral("daten/b.dat"), QStringLiteral("kein Kopf\r\n"));
    schreiben(QStringLiteral("daten/c.txt"), QStringLiteral("x"));
    File& f = zeigen(QStringLiteral("/irgendwo/Auszug.Dat"), true);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Datei laden"));
    EXPECT_EQ(eintraege(), (QStringList{QStringLiteral("Auszug.Dat"), QStringLiteral("b.dat")}));
    EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("Auszug"));
    ASSERT_NE(f.Datei1->currentItem(), nullptr);
    EXPECT_EQ(f.Datei1->currentItem()->text(), QStringLiteral("Auszug.Dat"));
    EXPECT_EQ(f.BezInfo->text(), QStringLiteral("Erste Zeile\nZweite Zeile"));
    EXPECT_TRUE(f.BezHinweise->text().startsWith(ordner + QStringLiteral("/Auszug.Dat\nVom: ")));
    EXPECT_TRUE(f.BezHinweise->text().endsWith(QStringLiteral("Größe: 32 Bytes")));
    EXPECT_TRUE(f.BefOk->isEnabled());

    waehle(QStringLiteral("b.dat"));
    EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("b"));
    EXPECT_TRUE(f.BezInfo->text().isEmpty());

    // A double-click takes the file at once.
    const QPoint b = f.Datei1->visualItemRect(f.Datei1->currentItem()).center();
    QTest::mouseClick(f.Datei1->viewport(), Qt::LeftButton, {}, b);
    QTest::mouseDClick(f.Datei1->viewport(), Qt::LeftButton, {}, b);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/b.Dat"));
}

TEST_F(FileTest, NameMitZweiPunktenLiefertDieAngeklickteDatei)
{
    schreiben(QStringLiteral("daten/a.b.Dat"), QStringLiteral("x\r\n"));
    File& f = zeigen(QString(), true);
    waehle(QStringLiteral("a.b.Dat"));
    EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("a.b"));
    f.mnuOk->trigger();
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/a.b.Dat"));
}

TEST_F(FileTest, AbbruchEscUndSchliessfeldGebenLeer)
{
    File& f = zeigen(QStringLiteral("x"), false);
    f.befAbbrechen->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.Bezeichnung->text().isEmpty());

    zeigen(QStringLiteral("x"), false);
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.Bezeichnung->text().isEmpty());

    zeigen(QStringLiteral("x"), false);
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.Bezeichnung->text().isEmpty());
}

TEST_F(FileTest, ModalUeberWaehlen)
{
    schreiben(QStringLiteral("daten/kunden.dat"), QStringLiteral("..Kunden\r\n"));
    File::anbinden();
    // Should the double-click not arrive, cancel rather than hang.
    QTimer::singleShot(5000, [] {
        if (File::instanz().isVisible())
            File::instanz().befAbbrechen->click();
    });
    QTimer::singleShot(0, [] {
        File& f = File::instanz();
        f.Datei1->setCurrentRow(0);
        f.BefOk->click();
    });
    zbefehle::DateiWahl w;
    w.vorschlag = QString();
    w.kuerzel = QStringLiteral(".dat");
    w.laden = true;
    w.ordner = ordner;
    EXPECT_EQ(zbefehle::anbindung().Datei_Waehlen(w), ordner + QStringLiteral("/kunden.dat"));
}

TEST_F(FileTest, SpeichernBereinigtDenNamen)
{
    File& f = zeigen(QString(), false);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Datei speichern unter"));
    EXPECT_FALSE(f.BefOk->isEnabled());
    EXPECT_FALSE(f.mnuOk->isEnabled());

    QTest::keyClicks(f.Bezeichnung, QStringLiteral("a.b c/d"));
    EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("a_b_c_d"));
    EXPECT_TRUE(f.BefOk->isEnabled());
    EXPECT_TRUE(f.mnuOk->isEnabled());

    // Text that reached the box some other way is cleaned whole at OK.
    f.Bezeichnung->setText(QStringLiteral("../x\ty:z"));
    f.BefOk->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/___x_y_z.Dat"));
}

TEST_F(FileTest, LangeOrdnerUndNamenAusDerListeBleibenGanz)
{
    // A folder deeper than the 255 characters a typed name may have.
    ordner = sitzung().DatenOrdner;
    for (int i = 0; ordner.size() < 300; ++i)
        ordner += QStringLiteral("/Unterordner_mit_langem_Namen_%1").arg(i);
    ASSERT_TRUE(QDir().mkpath(ordner));
    QFile d(ordner + QStringLiteral("/Meine Adressen.Dat"));
    ASSERT_TRUE(d.open(QIODevice::WriteOnly));
    d.write("..Alt\r\n");
    d.close();

    // Load mode: the long proposal still selects its file; the result is the whole path.
    File& f = zeigen(ordner + QStringLiteral("/Meine Adressen.Dat"), true);
    EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("Meine Adressen"));
    EXPECT_EQ(f.Bezeichnung->maxLength(), 255);
    f.BefOk->click();
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/Meine Adressen.Dat"));

    // Save mode: the file picked from the list is returned as it is named
    // (after the question), a typed blank still becomes "_".
    zeigen(QString(), false);
    waehle(QStringLiteral("Meine Adressen.Dat"));
    plattform->antworten << zplatform::vbYes;
    f.BefOk->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/Meine Adressen.Dat"));
    zeigen(QString(), false);
    QTest::keyClicks(f.Bezeichnung, QStringLiteral("Neue Adressen"));
    f.BefOk->click();
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/Neue_Adressen.Dat"));
}

TEST_F(FileTest, OkOhneNamenTutNichts)
{
    File& f = zeigen(QString(), true);
    EXPECT_FALSE(f.BefOk->isEnabled());
    EXPECT_TRUE(f.mnuOk->isEnabled()); // load mode: the menu entry stays enabled
    f.mnuOk->trigger();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.Bezeichnung->text().isEmpty());
}

TEST_F(FileTest, SpeichernUeberVorhandeneDateiFragt)
{
    schreiben(QStringLiteral("daten/Alt.Dat"), QStringLiteral("x"));
    File& f = zeigen(QStringLiteral("Alt"), false);
    plattform->antworten << zplatform::vbNo;
    f.BefOk->click();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.Bezeichnung->text(), QStringLiteral("Alt"));
    ASSERT_EQ(plattform->meldungen.size(), 1u);
    EXPECT_EQ(plattform->meldungen[0].titel, QStringLiteral("Datei speichern unter"));
    EXPECT_EQ(plattform->meldungen[0].text, QStringLiteral("Datei »") + ordner +
                                                QStringLiteral("/Alt.Dat« besteht bereits.\r\n\r\n"
                                                               "Möchten Sie, dass diese Datei überschrieben wird?"));
    plattform->antworten << zplatform::vbYes;
    f.BefOk->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.Bezeichnung->text(), ordner + QStringLiteral("/Alt.Dat"));
}

TEST_F(FileTest, UmbenennenIstEinSchritt)
{
    schreiben(QStringLiteral("daten/alt.Dat"), QStringLiteral("..Alt\r\n"));
    schreiben(QStringLiteral("daten/ziel.Dat"), QStringLiteral("..Ziel\r\n"));
    File& f = zeigen(QString(), true);

    // Refusals: nothing selected, a forbidden character, the same name.
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Keine Datei zum Umbenennen ausgewählt."));
    waehle(QStringLiteral("alt.Dat"));
    plattform->eingaben << QStringLiteral("neu name");
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Ungültiges Zeichen im Dateinamen enthalten."));
    EXPECT_EQ(plattform->eingabePrompts.back(), QStringLiteral("Gegen Sie einen neuen Dateinamen für »alt« ein.\r\n\r\n"
                                                               "Das Dateikürzel wird automatisch auf »Dat« gesetzt."));
    plattform->eingaben << QStringLiteral("ALT");
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Sie haben keinen neuen Dateinamen gewählt."));
    plattform->eingaben << QStringLiteral("<abbruch>");
    const size_t vorher = plattform->meldungen.size();
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->meldungen.size(), vorher);

    // A new name: the extension stays, the list shows and selects the file.
    plattform->eingaben << QStringLiteral("neu.txt");
    f.befUmbennen->trigger();
    EXPECT_FALSE(QFile::exists(ordner + QStringLiteral("/alt.Dat")));
    EXPECT_EQ(lesen(QStringLiteral("daten/neu.Dat")), QStringLiteral("..Alt\r\n"));
    EXPECT_EQ(eintraege(), (QStringList{QStringLiteral("neu.Dat"), QStringLiteral("ziel.Dat")}));
    EXPECT_EQ(f.Datei1->currentItem()->text(), QStringLiteral("neu.Dat"));

    // Onto an existing file: asked; No keeps both, Yes replaces the target.
    plattform->eingaben << QStringLiteral("ziel");
    plattform->antworten << zplatform::vbNo;
    f.befUmbennen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(),
              QStringLiteral("ziel\r\nbesteht bereits.\r\n\r\nMöchten Sie, dass diese Datei überschrieben wird?"));
    EXPECT_EQ(lesen(QStringLiteral("daten/ziel.Dat")), QStringLiteral("..Ziel\r\n"));
    plattform->eingaben << QStringLiteral("ziel");
    plattform->antworten << zplatform::vbYes;
    f.befUmbennen->trigger();
    EXPECT_EQ(lesen(QStringLiteral("daten/ziel.Dat")), QStringLiteral("..Alt\r\n"));
    EXPECT_EQ(eintraege(), (QStringList{QStringLiteral("ziel.Dat")}));
}

TEST_F(FileTest, DieOffeneAdressdateiBleibtUnangetastet)
{
    schreiben(QStringLiteral("daten/Zettlora.dat"), QStringLiteral("..Offen\r\n"));
    schreiben(QStringLiteral("daten/andere.dat"), QStringLiteral("..Andere\r\n"));
    sitzung().AdressDateiName = ordner + QStringLiteral("/zettlora.dat"); // case as the program may hold it
    File& f = zeigen(QString(), true);

    waehle(QStringLiteral("Zettlora.dat"));
    f.befUmbennen->trigger();
    EXPECT_TRUE(plattform->letzteMeldung().contains(QStringLiteral("geöffnete Adressdatei")));
    EXPECT_TRUE(plattform->eingabePrompts.isEmpty()); // refused before any question
    f.BefLoeschen->trigger();
    EXPECT_EQ(plattform->meldungen.size(), 2u);
    EXPECT_TRUE(plattform->letzteMeldung().contains(QStringLiteral("geöffnete Adressdatei")));
    EXPECT_EQ(lesen(QStringLiteral("daten/Zettlora.dat")), QStringLiteral("..Offen\r\n"));

    // Nor may another file be renamed onto it.
    waehle(QStringLiteral("andere.dat"));
    plattform->eingaben << QStringLiteral("Zettlora");
    plattform->antworten << zplatform::vbYes;
    f.befUmbennen->trigger();
    EXPECT_TRUE(plattform->letzteMeldung().contains(QStringLiteral("geöffnete Adressdatei")));
    EXPECT_EQ(lesen(QStringLiteral("daten/Zettlora.dat")), QStringLiteral("..Offen\r\n"));
    EXPECT_EQ(lesen(QStringLiteral("daten/andere.dat")), QStringLiteral("..Andere\r\n"));
}

TEST_F(FileTest, LoeschenNachFrage)
{
    schreiben(QStringLiteral("daten/weg.dat"), QStringLiteral("x"));
    File& f = zeigen(QString(), true);
    f.BefLoeschen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Keine Datei zum Löschen ausgewählt."));

    waehle(QStringLiteral("weg.dat"));
    plattform->antworten << zplatform::vbNo;
    f.BefLoeschen->trigger();
    EXPECT_EQ(plattform->letzteMeldung(), QStringLiteral("Datei »weg.dat« löschen."));
    EXPECT_TRUE(QFile::exists(ordner + QStringLiteral("/weg.dat")));

    plattform->antworten << zplatform::vbYes;
    f.BefLoeschen->trigger();
    EXPECT_FALSE(QFile::exists(ordner + QStringLiteral("/weg.dat")));
    EXPECT_TRUE(eintraege().isEmpty());
    EXPECT_TRUE(f.Bezeichnung->text().isEmpty());
    EXPECT_FALSE(f.BefOk->isEnabled());
}

TEST_F(FileTest, NurLesenVerbirgtOkUndSperrtDieBefehle)
{
    sitzung().NurLesen = true;
    File& f = zeigen(QStringLiteral("x"), false);
    EXPECT_FALSE(f.BefOk->isVisible());
    EXPECT_FALSE(f.mnuOk->isVisible());
    EXPECT_FALSE(f.befUmbennen->isEnabled());
    EXPECT_FALSE(f.BefLoeschen->isEnabled());
    f.befAbbrechen->click();

    zeigen(QStringLiteral("x"), true);
    EXPECT_TRUE(f.BefOk->isVisible());
    EXPECT_FALSE(f.mnuOk->isEnabled());
    EXPECT_FALSE(f.befUmbennen->isEnabled());
}

TEST_F(FileTest, KuerzelUndAusschluss)
{
    schreiben(QStringLiteral("daten/a.Tex"), QStringLiteral("x"));
    schreiben(QStringLiteral("daten/geheim.Tex"), QStringLiteral("x"));
    File& f = zeigen(QString(), true, QStringLiteral("Text"));
    EXPECT_EQ(f.erweiterung(), QStringLiteral(".Tex"));
    EXPECT_EQ(eintraege(), (QStringList{QStringLiteral("a.Tex"), QStringLiteral("geheim.Tex")}));
    f.befAbbrechen->click();

    f.bezAusschluss->setText(QStringLiteral("GEHEIM"));
    f.amEnde->setChecked(true);
    zeigen(QString(), true, QStringLiteral("Tex"));
    EXPECT_TRUE(f.Datei1->selectedItems().isEmpty());
    EXPECT_EQ(f.BezInfo->text(), QStringLiteral("Keine gültige Datei."));
}

TEST(FileNamen, BasisnameUndBereinigung)
{
    EXPECT_EQ(File::Basisname(QStringLiteral("/a/b/Auszug.Dat"), QStringLiteral(".Dat")), QStringLiteral("Auszug"));
    EXPECT_EQ(File::Basisname(QStringLiteral("a.b.DAT"), QStringLiteral(".Dat")), QStringLiteral("a.b"));
    EXPECT_EQ(File::Basisname(QStringLiteral("a.b.Msk"), QStringLiteral(".Dat")), QStringLiteral("a"));
    EXPECT_EQ(File::Basisname(QStringLiteral("C:\\Daten\\Kunden.Dat"), QStringLiteral(".Dat")),
              QStringLiteral("Kunden"));
    EXPECT_EQ(File::Name_Bereinigen(QStringLiteral("a b.c,d;e:f|g^h´i`j*k?l\\m/n\x01o")),
              QStringLiteral("a_b_c_d_e_f_g_h_i_j_k_l_m_n_o"));
    EXPECT_EQ(File::Name_Bereinigen(QStringLiteral("Müller-Lüdenscheidt")), QStringLiteral("Müller-Lüdenscheidt"));
}
