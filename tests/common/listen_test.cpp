#include "common/ini.h"
#include "common/ui/listen.h"
#include "platform/drucker.h"
#include "support/testplattform.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zcommon;

static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {
QStringList eintraege(const QListWidget& l)
{
    QStringList t;
    for (int i = 0; i < l.count(); ++i)
        t << l.item(i)->text();
    return t;
}
QStringList eintraege(const QComboBox& k)
{
    QStringList t;
    for (int i = 0; i < k.count(); ++i)
        t << k.itemText(i);
    return t;
}
} // namespace

TEST(Listen, AlsTextUndAusText)
{
    QListWidget l;
    QComboBox k;
    EXPECT_EQ(Liste_AusText(&l, QStringLiteral(";a;;b;a;")), 3);
    EXPECT_EQ(eintraege(l), QStringList({"a", "b", "a"}));
    EXPECT_EQ(Liste_AlsText(&l), QStringLiteral("a;b;a;"));
    EXPECT_EQ(Liste_AlsText(&l, QStringLiteral("|")), QStringLiteral("a|b|a|"));
    EXPECT_EQ(Liste_AusText(&k, QStringLiteral("x**y**"), QStringLiteral("**")), 2);
    EXPECT_EQ(eintraege(k), QStringList({"x", "y"}));
    EXPECT_EQ(Liste_AusText(&k, QString()), 0);
    EXPECT_EQ(Liste_AlsText(&k), QString());
}

TEST(Listen, DoppelteSuchenSichern)
{
    QListWidget l;
    l.addItems({"Meier", "Müller", "Meier", "meier", "Müller"});
    Liste_DoppelteEntfernen(&l);
    EXPECT_EQ(eintraege(l), QStringList({"Meier", "Müller", "meier"}));

    EXPECT_EQ(Liste_Suchen(&l, QStringLiteral("MÜL")), 1);
    EXPECT_EQ(Liste_Suchen(&l, QStringLiteral("eier"), 1), 2);
    EXPECT_EQ(Liste_Suchen(&l, QStringLiteral("xyz")), -1);

    EXPECT_EQ(Liste_EintragSichern(&l, QStringLiteral("meier")), 2); // already there
    EXPECT_EQ(Liste_EintragSichern(&l, QStringLiteral("Schmidt")), 3);
    EXPECT_EQ(l.currentRow(), -1); // nothing selected

    QComboBox k;
    k.setEditable(true);
    k.setEditText(QStringLiteral("getippt"));
    EXPECT_EQ(Liste_EintragSichern(&k, QStringLiteral("Arial")), 0);
    EXPECT_EQ(Liste_EintragSichern(&k, QStringLiteral("Arial")), 0);
    EXPECT_EQ(k.currentText(), QStringLiteral("getippt")); // the shown text stays
    k.addItems({"Arial", "Courier"});
    Liste_DoppelteEntfernen(&k);
    EXPECT_EQ(eintraege(k), QStringList({"Arial", "Courier"}));
    EXPECT_EQ(Liste_Suchen(&k, QStringLiteral("courier new")), -1);
    EXPECT_EQ(Liste_Suchen(&k, QStringLiteral("COUR")), 1);
}

TEST(Listen, MarkiertenEntfernen)
{
    QListWidget l;
    l.addItems({"a", "b", "c"});
    Liste_MarkiertenEntfernen(&l); // nothing selected: nothing happens
    EXPECT_EQ(l.count(), 3);
    l.setCurrentRow(1);
    Liste_MarkiertenEntfernen(&l);
    EXPECT_EQ(eintraege(l), QStringList({"a", "c"}));
    EXPECT_EQ(l.currentRow(), 1); // the entry that moved into its place
    Liste_MarkiertenEntfernen(&l);
    EXPECT_EQ(eintraege(l), QStringList({"a"}));
    EXPECT_EQ(l.currentRow(), 0); // the last one
    Liste_MarkiertenEntfernen(&l);
    EXPECT_EQ(l.count(), 0);

    QComboBox k;
    k.addItems({"a", "b", "c"});
    k.setCurrentIndex(2);
    Liste_MarkiertenEntfernen(&k);
    EXPECT_EQ(eintraege(k), QStringList({"a", "b"}));
    EXPECT_EQ(k.currentIndex(), 1);
}

TEST(Listen, KombiVerlauf)
{
    QComboBox k;
    k.setEditable(true);
    k.addItems({"Berlin", "Hamburg", "münchen", "Köln"});
    k.setEditText(QStringLiteral("MÜNCHEN"));
    QSignalSpy spy(&k, &QComboBox::currentIndexChanged);
    EXPECT_EQ(Kombi_Verlauf(&k, 3), 3);
    EXPECT_EQ(eintraege(k), QStringList({"MÜNCHEN", "Berlin", "Hamburg"}));
    EXPECT_EQ(k.currentText(), QStringLiteral("MÜNCHEN"));
    EXPECT_EQ(spy.count(), 0);

    k.setEditText(QString()); // an empty text moves to the top as well
    EXPECT_EQ(Kombi_Verlauf(&k, 20), 4);
    EXPECT_EQ(eintraege(k), QStringList({"", "MÜNCHEN", "Berlin", "Hamburg"}));
}

TEST(Listen, DruckerSchriften)
{
    TestPlattform p;
    QComboBox k;
    k.addItem(QStringLiteral("alt"));
    Liste_DruckerSchriften(&k);
    EXPECT_EQ(eintraege(k), zplatform::drucker().schriften());
    EXPECT_TRUE(p.toene.isEmpty()); // quick: no sound
    QListWidget l;
    Liste_DruckerSchriften(&l);
    EXPECT_EQ(eintraege(l), zplatform::drucker().schriften());
}

TEST(Listen, SteuerelementeSperren)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* text = new QLineEdit(&form);
    auto* ok = new QPushButton(QStringLiteral("OK"), &form);
    auto* abbruch = new QPushButton(QStringLiteral("Abbrechen"), &form);
    abbruch->setProperty("tag", QStringLiteral("NoDisable"));
    auto* rahmen = new QGroupBox(QStringLiteral("Rahmen"), &form);
    auto* innen = new QComboBox(rahmen);
    auto* rahmen2 = new QGroupBox(QStringLiteral("Mit Ausnahme"), &form);
    auto* frei = new QPushButton(QStringLiteral("Esc"), rahmen2);
    auto* gesperrt = new QPushButton(QStringLiteral("Zu"), rahmen2);
    frei->setProperty("tag", QStringLiteral("NoDisable"));
    for (QWidget* w : {static_cast<QWidget*>(text), static_cast<QWidget*>(ok), static_cast<QWidget*>(abbruch),
                       static_cast<QWidget*>(rahmen), static_cast<QWidget*>(rahmen2)})
        layout->addWidget(w);

    Steuerelemente_Sperren(&form, false);
    EXPECT_FALSE(text->isEnabled());
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(abbruch->isEnabled());
    EXPECT_FALSE(rahmen->isEnabled());
    EXPECT_FALSE(innen->isEnabled());
    EXPECT_TRUE(frei->isEnabled()); // its frame stays usable for it
    EXPECT_FALSE(gesperrt->isEnabled());
    EXPECT_TRUE(form.isEnabled());

    Steuerelemente_Sperren(&form, true);
    for (QWidget* w : {static_cast<QWidget*>(text), static_cast<QWidget*>(ok), static_cast<QWidget*>(innen),
                       static_cast<QWidget*>(gesperrt)})
        EXPECT_TRUE(w->isEnabled());
}

TEST(Listen, SchriftAlsTextUndSetzen)
{
    QLineEdit quelle;
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8.25);
    f.setBold(true);
    f.setUnderline(true);
    quelle.setFont(f);
    QPalette pal = quelle.palette();
    pal.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));
    quelle.setPalette(pal);
    const QString text = Schrift_AlsText(&quelle);
    EXPECT_EQ(text, QStringLiteral("Arial;8.25;-1;0;-1;") + QString::number(0x563412));

    QLineEdit ziel;
    Schrift_Setzen(&ziel, text, QStringLiteral("Alles"));
    EXPECT_EQ(Schrift_AlsText(&ziel), text);

    QLineEdit nurSchrift;
    const QString farbeVorher = Schrift_AlsText(&nurSchrift).section(u';', 5);
    Schrift_Setzen(&nurSchrift, text, QStringLiteral("Schrift"));
    EXPECT_TRUE(nurSchrift.font().bold());
    EXPECT_EQ(Schrift_AlsText(&nurSchrift).section(u';', 5), farbeVorher);

    QLineEdit nurFarbe;
    Schrift_Setzen(&nurFarbe, text, QStringLiteral("Farbe"));
    EXPECT_FALSE(nurFarbe.font().bold());
    EXPECT_EQ(Schrift_AlsText(&nurFarbe).section(u';', 5), QString::number(0x563412));

    // Empty parts leave those properties as they are.
    Schrift_Setzen(&ziel, QStringLiteral(";12;;-1;;"), QStringLiteral("alle"));
    EXPECT_EQ(ziel.font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(ziel.font().pointSizeF(), 12.0);
    EXPECT_TRUE(ziel.font().bold());
    EXPECT_TRUE(ziel.font().italic());

    Schrift_Setzen(nullptr, QStringLiteral("Courier New;11;0;-1;0;255"), QStringLiteral("print"));
    const zplatform::DruckSchrift& s = zplatform::drucker().schrift;
    EXPECT_EQ(s.name, QStringLiteral("Courier New"));
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
    Ini_Schreiben(QString(), QString(), QStringLiteral("Form_Höhe"), QString::number(200 * 15));
    Ini_Schreiben(QString(), QString(), QStringLiteral("Form_Weite"), QString::number(500 * 15));
    Ini_Schreiben(QString(), QString(), QStringLiteral("Form_Links"), QString::number(100 * 15));
    Ini_Schreiben(QString(), QString(), QStringLiteral("Form_Oben"), QString::number(50 * 15));
    Form_Position_Laden_Main(&fenster);
    EXPECT_EQ(fenster.size(), QSize(500, 200));
    EXPECT_EQ(fenster.pos(), QPoint(100, 50));

    // Too large: cut to the screen; past the edge or below 0: centred.
    Ini_Schreiben(QString(), QString(), QStringLiteral("XForm_Höhe"), QString::number(2000 * 15));
    Ini_Schreiben(QString(), QString(), QStringLiteral("XForm_Weite"), QString::number(600 * 15));
    Ini_Schreiben(QString(), QString(), QStringLiteral("XForm_Links"), QString::number(900 * 15));
    Form_Position_Laden_Main(&fenster, QStringLiteral("X"));
    EXPECT_EQ(fenster.size(), QSize(600, 768));
    EXPECT_EQ(fenster.pos(), QPoint((1024 - 600) / 2, 0));

    // Nothing stored: the current size, centred.
    Form_Position_Laden_Main(&fenster, QStringLiteral("Neu"));
    EXPECT_EQ(fenster.size(), QSize(600, 768));
    EXPECT_EQ(fenster.pos(), QPoint(212, 0));
}
