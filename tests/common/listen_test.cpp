// The helpers of the forms: lists and combo boxes, locking controls, fonts as
// text, window position, the companion-program menu.
#include "common/ini.h"
#include "common/programme.h"
#include "common/ui/begleitprogramme.h"
#include "common/ui/listen.h"
#include "platform/drucker.h"
#include "testhilfe.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

using namespace zcommon;

namespace {
// The entries of a list or combo box.
template <class Liste> QStringList eintraege(const Liste& liste)
{
    QStringList t;
    for (int i = 0; i < liste.count(); ++i)
        t << liste.model()->index(i, 0).data().toString();
    return t;
}
} // namespace

TEST(Listen, AlsTextAusTextUndDruckerSchriften)
{
    TestPlattform p;
    QListWidget l;
    QComboBox k;
    EXPECT_EQ(Liste_AusText(&l, ";a;;b;a;"), 3);
    EXPECT_EQ(eintraege(l), QStringList({"a", "b", "a"}));
    EXPECT_EQ(Liste_AlsText(&l), "a;b;a;");
    EXPECT_EQ(Liste_AlsText(&l, "|"), "a|b|a|");
    EXPECT_EQ(Liste_AusText(&k, "x**y**", "**"), 2);
    EXPECT_EQ(eintraege(k), QStringList({"x", "y"}));
    EXPECT_EQ(Liste_AusText(&k, QString()), 0);
    EXPECT_EQ(Liste_AlsText(&k), QString());

    k.addItem("alt");
    Liste_DruckerSchriften(&k);
    EXPECT_EQ(eintraege(k), zplatform::drucker().schriften());
    Liste_DruckerSchriften(&l);
    EXPECT_EQ(eintraege(l), zplatform::drucker().schriften());
    EXPECT_TRUE(p.toene.isEmpty()); // quick: no sound
}

TEST(Listen, DoppelteSuchenSichernEntfernen)
{
    QListWidget l;
    l.addItems({"Meier", "Müller", "Meier", "meier", "Müller"});
    Liste_DoppelteEntfernen(&l);
    EXPECT_EQ(eintraege(l), QStringList({"Meier", "Müller", "meier"}));
    EXPECT_EQ(Liste_Suchen(&l, "MÜL"), 1);
    EXPECT_EQ(Liste_Suchen(&l, "eier", 1), 2);
    EXPECT_EQ(Liste_Suchen(&l, "xyz"), -1);
    EXPECT_EQ(Liste_EintragSichern(&l, "meier"), 2); // already there
    EXPECT_EQ(Liste_EintragSichern(&l, "Schmidt"), 3);
    EXPECT_EQ(l.currentRow(), -1); // nothing selected

    QComboBox k;
    k.setEditable(true);
    k.setEditText("getippt");
    EXPECT_EQ(Liste_EintragSichern(&k, "Arial"), 0);
    EXPECT_EQ(Liste_EintragSichern(&k, "Arial"), 0);
    EXPECT_EQ(k.currentText(), "getippt"); // the shown text stays
    k.addItems({"Arial", "Courier"});
    Liste_DoppelteEntfernen(&k);
    EXPECT_EQ(eintraege(k), QStringList({"Arial", "Courier"}));
    EXPECT_EQ(Liste_Suchen(&k, "courier new"), -1);
    EXPECT_EQ(Liste_Suchen(&k, "COUR"), 1);

    // Removing the selected entry selects the one that moved into its place, else the last one.
    l.clear();
    l.addItems({"a", "b", "c"});
    Liste_MarkiertenEntfernen(&l); // nothing selected: nothing happens
    EXPECT_EQ(l.count(), 3);
    l.setCurrentRow(1);
    for (const auto& [rest, zeile] : {std::pair<QStringList, int>{{"a", "c"}, 1}, {{"a"}, 0}, {{}, -1}}) {
        Liste_MarkiertenEntfernen(&l);
        EXPECT_EQ(eintraege(l), rest);
        EXPECT_EQ(l.currentRow(), zeile);
    }
    k.setCurrentIndex(1);
    Liste_MarkiertenEntfernen(&k);
    EXPECT_EQ(eintraege(k), QStringList({"Arial"}));
    EXPECT_EQ(k.currentIndex(), 0);

    // The history: the typed text moves to the top, without a change of the selection.
    k.clear();
    k.addItems({"Berlin", "Hamburg", "münchen", "Köln"});
    k.setEditText("MÜNCHEN");
    QSignalSpy spy(&k, &QComboBox::currentIndexChanged);
    EXPECT_EQ(Kombi_Verlauf(&k, 3), 3);
    EXPECT_EQ(eintraege(k), QStringList({"MÜNCHEN", "Berlin", "Hamburg"}));
    EXPECT_EQ(k.currentText(), "MÜNCHEN");
    EXPECT_EQ(spy.count(), 0);

    k.setEditText(QString()); // an empty text moves to the top as well
    EXPECT_EQ(Kombi_Verlauf(&k, 20), 4);
    EXPECT_EQ(eintraege(k), QStringList({"", "MÜNCHEN", "Berlin", "Hamburg"}));
}

TEST(Listen, SteuerelementeSperren)
{
    QWidget form;
    auto* text = new QLineEdit(&form);
    auto* ok = new QPushButton("OK", &form);
    auto* abbruch = new QPushButton("Abbrechen", &form);
    auto* rahmen = new QGroupBox("Rahmen", &form);
    auto* innen = new QComboBox(rahmen);
    auto* rahmen2 = new QGroupBox("Mit Ausnahme", &form);
    auto* frei = new QPushButton("Esc", rahmen2);
    auto* gesperrt = new QPushButton("Zu", rahmen2);
    abbruch->setProperty("tag", "NoDisable");
    frei->setProperty("tag", "NoDisable");

    Steuerelemente_Sperren(&form, false);
    // Marked controls stay usable, and so does a frame holding one.
    const std::pair<QWidget*, bool> erwartet[] = {{text, false},  {ok, false},       {abbruch, true}, {rahmen, false},
                                                  {innen, false}, {gesperrt, false}, {frei, true},    {&form, true}};
    for (const auto& [w, an] : erwartet)
        EXPECT_EQ(w->isEnabled(), an) << w->metaObject()->className();

    Steuerelemente_Sperren(&form, true);
    for (QWidget* w : std::initializer_list<QWidget*>{text, ok, innen, gesperrt})
        EXPECT_TRUE(w->isEnabled());
}

TEST(Listen, SchriftAlsTextUndSetzen)
{
    QLineEdit quelle;
    QFont f("Arial");
    f.setPointSizeF(8.25);
    f.setBold(true);
    f.setUnderline(true);
    quelle.setFont(f);
    QPalette pal = quelle.palette();
    pal.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));
    quelle.setPalette(pal);
    const QString text = Schrift_AlsText(&quelle);
    EXPECT_EQ(text, "Arial;8.25;-1;0;-1;" + QString::number(0x563412));

    QLineEdit ziel;
    Schrift_Setzen(&ziel, text, "Alles");
    EXPECT_EQ(Schrift_AlsText(&ziel), text);

    QLineEdit nurSchrift;
    const QString farbeVorher = Schrift_AlsText(&nurSchrift).section(u';', 5);
    Schrift_Setzen(&nurSchrift, text, "Schrift");
    EXPECT_TRUE(nurSchrift.font().bold());
    EXPECT_EQ(Schrift_AlsText(&nurSchrift).section(u';', 5), farbeVorher);

    QLineEdit nurFarbe;
    Schrift_Setzen(&nurFarbe, text, "Farbe");
    EXPECT_FALSE(nurFarbe.font().bold());
    EXPECT_EQ(Schrift_AlsText(&nurFarbe).section(u';', 5), QString::number(0x563412));

    // Empty parts leave those properties as they are.
    Schrift_Setzen(&ziel, ";12;;-1;;", "alle");
    EXPECT_EQ(ziel.font().family(), "Arial");
    EXPECT_DOUBLE_EQ(ziel.font().pointSizeF(), 12.0);
    EXPECT_TRUE(ziel.font().bold());
    EXPECT_TRUE(ziel.font().italic());

    Schrift_Setzen(nullptr, "Courier New;11;0;-1;0;255", "print");
    const zplatform::DruckSchrift& s = zplatform::drucker().schrift;
    EXPECT_EQ(s.name, "Courier New");
    EXPECT_DOUBLE_EQ(s.groesse, 11.0);
    EXPECT_FALSE(s.fett);
    EXPECT_TRUE(s.kursiv);
    EXPECT_EQ(s.farbe, 255u);
}

TEST(Listen, FormPositionBleibtAufDemBildschirm)
{
    TestPlattform p; // screen 1024 x 768
    TempWurzel w;
    QWidget fenster;
    fenster.resize(400, 300);
    // Stored in twips: 15 twips are one pixel at 96 dpi.
    // clang-format off
    const std::pair<const char*, int> gespeichert[] = {{"Form_Höhe", 200}, {"Form_Weite", 500}, {"Form_Links", 100},
        {"Form_Oben", 50}, {"XForm_Höhe", 2000}, {"XForm_Weite", 600}, {"XForm_Links", 900}};
    // clang-format on
    for (const auto& [schluessel, pixel] : gespeichert)
        Ini_Schreiben(QString(), QString(), schluessel, QString::number(pixel * 15));
    Form_Position_Laden_Main(&fenster);
    EXPECT_EQ(fenster.size(), QSize(500, 200));
    EXPECT_EQ(fenster.pos(), QPoint(100, 50));

    // Too large: cut to the screen; past the edge or below 0: centred.
    Form_Position_Laden_Main(&fenster, "X");
    EXPECT_EQ(fenster.size(), QSize(600, 768));
    EXPECT_EQ(fenster.pos(), QPoint((1024 - 600) / 2, 0));

    // Nothing stored: the current size, centred.
    fenster.move(0, 0);
    Form_Position_Laden_Main(&fenster, "Neu");
    EXPECT_EQ(fenster.size(), QSize(600, 768));
    EXPECT_EQ(fenster.pos(), QPoint(212, 0));
}

TEST(Begleitprogramme, MenueVerbirgtDasLaufendeProgramm)
{
    TempWurzel w;
    TestPlattform p;
    QMainWindow fenster;
    QMenu* menue = new QMenu(&fenster);
    for (int i = 0; i < BegleitprogrammAnzahl; ++i)
        menue->addAction(QStringLiteral("Eintrag %1").arg(i))->setObjectName(QStringLiteral("mnuPrg_%1").arg(i));
    menue->actions().at(2)->setVisible(false);

    QStringList status;
    Begleitprogramme_Menue(&fenster, [&status](const QString& t) { status << t; });
    EXPECT_EQ(status, QStringList({"Suche Programme...", "Bereit"}));
    // Only this program itself is hidden.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(menue->actions().at(i)->isVisible(), i != 0) << i;
}
