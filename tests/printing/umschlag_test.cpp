// Envelopes: the nine sizes laid out on the recording printer, the settings,
// the log, and the envelope form through the print-options dialog.

#include "printing/ui/umschlag.h"
#include "printing/umschlag.h"

#include "commands/modal_hilfe.h"
#include "commands/schriftdialog_hilfe.h"
#include "commands/ui/schriftdialog.h"
#include "common/ui/listen.h"
#include "platform/ui/qtdrucker.h"
#include "printing/ui/befehle.h"
#include "support/fensterattrappe.h"

#include "testhilfe.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFontComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace zdruck;

namespace {

// The first text drawn that equals text (or, with anfang, begins with it).
const zplatform::DruckOperation* textOp(const zplatform::DruckSeite& s, const QString& text, bool anfang = false)
{
    for (const auto& op : s.operationen) {
        if (op.art == zplatform::DruckOperation::Text && (anfang ? op.text.startsWith(text) : op.text == text))
            return &op;
    }
    return nullptr;
}

QByteArray bytes(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

// While it lives, no file of this process grows beyond the limit: a write
// past it fails (EFBIG) instead of ending the process.
class DateigroesseBegrenzt
{
public:
    explicit DateigroesseBegrenzt(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_alt);
        rlimit neu = m_alt;
        neu.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~DateigroesseBegrenzt()
    {
        setrlimit(RLIMIT_FSIZE, &m_alt);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_alt{};
    void (*m_signal)(int) = SIG_DFL;
};

} // namespace

using Umschlaege = DruckUmgebung;

TEST_F(Umschlaege, NeunGroessenMitAbsenderUndEmpfaenger)
{
    struct Fall
    {
        int index;
        double w, h;
    };
    const Fall faelle[] = {{0, 22.0, 11.0}, {1, 16.2, 11.4}, {2, 22.9, 16.2}, {3, 16.2, 22.9}, {4, 32.4, 22.9},
                           {5, 22.9, 11.4}, {6, 17.6, 12.5}, {7, 25.0, 17.6}, {8, 35.3, 25.0}};
    const QStringList formate = Umschlag_Formate();
    ASSERT_EQ(formate.size(), 9);
    for (const Fall& f : faelle) {
        const UmschlagMass m = Umschlag_Mass(formate.at(f.index));
        EXPECT_DOUBLE_EQ(m.breite, f.w) << f.index;
        EXPECT_DOUBLE_EQ(m.hoehe, f.h) << f.index;
        for (const auto& [mx, my] : {std::pair{0.0, 0.0}, std::pair{0.5, 1.0}}) {
            zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
            zplatform::Drucker& d = zplatform::drucker();
            d.setPapierformat(m.breite, m.hoehe);
            UmschlagDruck u;
            u.mass = m;
            u.randX = mx;
            u.randY = my;
            u.absender = QStringLiteral("Absender");
            // Long enough to wrap at the right bound.
            u.anschrift = QStringLiteral("Herrn Maximilian Mustermann-Lüdenscheid Generalbevollmächtigter\r\n"
                                         "Weg 1\r\n12345 Ort");
            u.schriftAnschrift.groesse = 14;
            Umschlag_Zeichnen(u);
            const zplatform::DruckSeite& s = aufzeichnung()->seiten().at(0);
            const auto* abs = textOp(s, QStringLiteral("Absender"));
            ASSERT_TRUE(abs) << f.index;
            EXPECT_NEAR(abs->x, mx, 1e-9);
            EXPECT_NEAR(abs->y, my, 1e-9);
            const auto* an = textOp(s, QStringLiteral("Herrn Maximilian"), true);
            ASSERT_TRUE(an) << f.index << " " << s.texte().join('|').toStdString();
            EXPECT_NEAR(an->x, m.breite / 2.5 + mx, 1e-9) << f.index;
            EXPECT_NEAR(an->y, std::min(m.hoehe / 2.5, 4.5) + my, 1e-9) << f.index;
            for (const auto& op : s.operationen)
                EXPECT_LE(op.x2, m.breite - mx + 1e-9) << f.index << " " << op.text.toStdString();
            EXPECT_TRUE(textOp(s, QStringLiteral("12345 Ort"))) << f.index;
        }
    }
}

TEST_F(Umschlaege, AbsenderImDruckbereichInBeidenAusrichtungen)
{
    // A printer that cannot reach 0.35 cm at any edge; the sheet is the envelope.
    const UmschlagMass c6{16.2, 11.4};
    for (const double rand : {0.0, 0.5}) {
        for (const bool hoch : {true, false}) {
            zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
            auto* d = aufzeichnung();
            d->setUnbedruckbarerRand(0.35);
            Umschlag_BlattEinlegen(c6, hoch);
            UmschlagDruck u;
            u.mass = c6;
            u.randX = rand;
            u.randY = rand;
            u.absender = QStringLiteral("Von");
            u.anschrift = QStringLiteral("Herrn Maximilian Mustermann-Lüdenscheid Generalbevollmächtigter\r\nWeg 1");
            Umschlag_Zeichnen(u);
            const zplatform::DruckSeite& s = d->seiten().at(0);
            const auto* abs = textOp(s, QStringLiteral("Von"));
            ASSERT_TRUE(abs);
            // Positions count from the printable area's corner: the sender stands one margin inside it.
            EXPECT_NEAR(abs->x, rand, 1e-9) << hoch;
            EXPECT_NEAR(abs->y, rand, 1e-9) << hoch;
            for (const auto& op : s.operationen) {
                EXPECT_GE(op.y, 0.0) << hoch << " " << op.text.toStdString();
                EXPECT_LE(op.x2, d->scaleWidth() + 1e-9) << hoch << " " << op.text.toStdString();
                EXPECT_LE(op.y2, d->scaleHeight() + 1e-9) << hoch << " " << op.text.toStdString();
            }
        }
    }

    // A sheet higher than the envelope (A4 turned, the envelope fed along its
    // lower edge): the printable area's lower edge has y = H - mY.
    zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
    auto* d = aufzeichnung();
    d->setUnbedruckbarerRand(0.35);
    d->setAusrichtung(2);
    UmschlagDruck u;
    u.mass = c6;
    u.randY = 0.5;
    u.absender = QStringLiteral("Von");
    u.anschrift = QStringLiteral("Empfänger");
    Umschlag_Zeichnen(u);
    const double P = 21.0 - 0.7;
    EXPECT_NEAR(d->scaleTop, 11.4 - P - 0.5, 1e-9);
    const auto* an = textOp(d->seiten().at(0), QStringLiteral("Empfänger"));
    ASSERT_TRUE(an);
    EXPECT_NEAR(an->y, 4.5 - d->scaleTop, 1e-9);
}

TEST_F(Umschlaege, NeunGroessenGehenAlsBenannteBlaetter)
{
    // The sheet the print service gets: the envelope's named size, turned
    // where the envelope lies broad side first, in either orientation.
    const char* namen[] = {"DL", "C6", "C5", "C5", "C4", "C65", "B6", "B5", "B4"};
    const QStringList formate = Umschlag_Formate();
    for (int i = 0; i < UmschlagFormatAnzahl; ++i) {
        for (const bool hoch : {true, false}) {
            zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
            const UmschlagMass m = Umschlag_Mass(formate.at(i));
            Umschlag_BlattEinlegen(m, hoch);
            auto* d = aufzeichnung();
            EXPECT_DOUBLE_EQ(d->seitenBreite(), m.breite) << i << hoch;
            EXPECT_DOUBLE_EQ(d->seitenHoehe(), m.hoehe) << i << hoch;
            d->drucken(QStringLiteral("x"));
            EXPECT_EQ(d->auftragsBlatt(), QString::fromLatin1(namen[i])) << i << hoch;
            EXPECT_EQ(d->auftragQuer(), i != 3) << i << hoch;
        }
    }
}

TEST_F(Umschlaege, EinstellungenUndVorrangDerSchluessel)
{
    UmschlagEinstellungen e = Umschlag_EinstellungenLaden(QStringLiteral("Tester"), QStringLiteral("Kunden"));
    EXPECT_EQ(e.absender, "Ihr Absender");
    EXPECT_EQ(e.format, 1);
    EXPECT_EQ(e.maske, "Umschlag");

    e.absender = QStringLiteral("Anna Absender\r\nHauptstr. 1");
    e.schriftAbsender = QStringLiteral("Arial;10;0;0;0;255");
    e.format = 2;
    e.maske = QStringLiteral("Meine.MSK");
    Umschlag_EinstellungenSichern(QStringLiteral("Tester"), QStringLiteral("Kunden"), e);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("User_Tester")), e.absender);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("UmschlagSpezialAbsender_Kunden")), e.absender);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("User_Tester_UmschlagsMaske")), "Meine");

    // The file's sender wins; "Font_Abs_" wins over the saved font.
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("UmschlagSpezialAbsender_Kunden"),
                           QStringLiteral("Firma"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Font_Abs_Tester"),
                           QStringLiteral("Courier New;9;-1;0;0;0"));
    const UmschlagEinstellungen l = Umschlag_EinstellungenLaden(QStringLiteral("Tester"), QStringLiteral("Kunden"));
    EXPECT_EQ(l.absender, "Firma");
    EXPECT_EQ(l.schriftAbsender, "Courier New;9;-1;0;0;0");
    EXPECT_EQ(l.format, 2);
    EXPECT_EQ(Umschlag_EinstellungenLaden(QStringLiteral("Tester"), QStringLiteral("Andere")).absender, e.absender);

    for (const auto& [wert, index] : {std::pair{"9", 0}, std::pair{"-1", 0}, std::pair{"x", 0}, std::pair{"8", 8}}) {
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Umschlagsgröße"), QString::fromLatin1(wert));
        EXPECT_EQ(Umschlag_EinstellungenLaden(QStringLiteral("Tester"), QString()).format, index) << wert;
    }
}

TEST_F(Umschlaege, LogeintragEinzeiligMitMittelpunkten)
{
    const QStringList e =
        Umschlag_LogEintrag(QDateTime(QDate(2026, 12, 6), QTime(9, 5)), QStringLiteral("Max\r\nWeg 1\r\n12345 Ort"),
                            QStringLiteral("Anna·Büro"), QStringLiteral("Tester"));
    EXPECT_EQ(e, (QStringList{"", "Am        06.12.2026 09:05", "Anschrift Max ~ Weg 1 ~ 12345 Ort", "Absender  Anna",
                              "Büro", "User      Tester"}));
    const QString log = w.wurzel() + QStringLiteral("/log.txt");
    EXPECT_TRUE(Umschlag_LogSchreiben(log, e));
    EXPECT_FALSE(QFile::exists(log)) << "a missing log is never created";
}

TEST_F(Umschlaege, FormularDrucktMitLogUndStelltZurueck)
{
    maske(QStringLiteral("Umschlag"),
          {QStringLiteral("{Vorname} {Nachname}"), QStringLiteral("{Straße}"), QStringLiteral("{PLZ} {Ort}")});
    maske(QStringLiteral("Anders"), {QStringLiteral("An {Nachname}")});
    adresse({{1, QStringLiteral("Muster")},
             {2, QStringLiteral("Erika")},
             {3, QStringLiteral("Weg 1")},
             {4, QStringLiteral("12345")},
             {5, QStringLiteral("Ort")}});
    const QString log = w.wurzel() + QStringLiteral("/Umschlag.log");
    zplatform::bytesSchreiben(log, QByteArray("alt\r\n"));
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("UmschlagLogbuch"), log);
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("User_Tester_UmschlagsMaske"),
                           QStringLiteral("UMSCHLAG"));

    Umschlag u;
    u.show();
    EXPECT_EQ(u.TxtAbsender->toPlainText(), "Ihr Absender");
    EXPECT_FALSE(u.bezSaveInfo->isHidden());
    EXPECT_EQ(u.KombiFormat->currentText(), "16.2 x 11.4 cm Umschlag C6 (Standard)");
    EXPECT_EQ(u.ComboMasken->currentText(), "Umschlag");
    EXPECT_EQ(u.TxtAnschrift->toPlainText(), "Erika Muster\nWeg 1\n12345 Ort");
    u.ComboMasken->setCurrentIndex(0);
    EXPECT_EQ(u.TxtAnschrift->toPlainText(), "An Muster");
    u.ComboMasken->setCurrentIndex(1);
    u.mnuFlipAA_Click();
    u.mnuFlipAA_Click();
    u.KombiFormat->setCurrentIndex(0);

    // Cancel: nothing printed, nothing logged, the form stays open.
    imDialog([](PrinterSet& d) { d.befAbbrechen->click(); });
    u.PulDrucken_Click();
    EXPECT_TRUE(u.isVisible());
    EXPECT_EQ(aufzeichnung()->auftraege(), 0);
    EXPECT_EQ(bytes(log), "alt\r\n");

    imDialog([](PrinterSet& d) {
        EXPECT_EQ(d.windowTitle(), "Drucken - Zettlora Umschlag");
        EXPECT_FALSE(d.ComboAnzahl->isEnabled());
        d.optAusrichtung[1]->setChecked(true);
        d.BefOk->click();
    });
    u.PulDrucken_Click();
    EXPECT_FALSE(u.isVisible()) << "a completed print hides the form";
    auto* d = aufzeichnung();
    ASSERT_EQ(d->auftraege(), 1);
    const zplatform::DruckSeite& s = d->seiten().at(0);
    EXPECT_TRUE(textOp(s, QStringLiteral("Ihr Absender")));
    const auto* an = textOp(s, QStringLiteral("Erika Muster"));
    ASSERT_TRUE(an);
    EXPECT_NEAR(an->x, 8.8, 1e-9);
    EXPECT_NEAR(an->y, 4.4, 1e-9);
    EXPECT_EQ(an->schrift.groesse, 15.75);
    EXPECT_EQ(d->auftragsTitel(), "Drucken - Zettlora Umschlag") << "what the print queue shows";
    EXPECT_EQ(d->auftragsBlatt(), "DL");
    // The sheet was the envelope while printing; the printer's paper is back afterwards.
    EXPECT_DOUBLE_EQ(d->papierBreite(), 21.0);
    EXPECT_EQ(d->ausrichtung(), 2);
    EXPECT_EQ(bytes(log), "alt\r\n\r\nAm        02.07.2000 10:30\r\nAnschrift Erika Muster ~ Weg 1 ~ 12345 Ort\r\n"
                          "Absender  Ihr Absender\r\nUser      Tester\r\n");
}

TEST_F(Umschlaege, StrgVVertauschtAusJedemSteuerelementUndFuegtNichtsEin)
{
    // Ctrl+V is the key of "Anschrift mit Absender vertauschen": it swaps the
    // texts from every control of the form, the text boxes too, and pastes nothing.
    maske(QStringLiteral("Umschlag"), {QStringLiteral("{Vorname} {Nachname}"), QStringLiteral("{Ort}")});
    adresse({{1, QStringLiteral("Muster")}, {2, QStringLiteral("Erika")}, {5, QStringLiteral("Köln")}});
    QApplication::clipboard()->setText(QStringLiteral("Eingefügt"));
    ASSERT_EQ(QApplication::clipboard()->text(), "Eingefügt");

    Umschlag u;
    u.show();
    u.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&u));
    ASSERT_TRUE(QTest::qWaitFor([&u] { return QApplication::focusWidget() == u.TxtAbsender; }))
        << "the form opens with the focus in the sender box";
    const QString absender = QStringLiteral("Ihr Absender");
    const QString anschrift = QStringLiteral("Erika Muster\nKöln");
    ASSERT_EQ(u.TxtAnschrift->toPlainText(), anschrift);

    bool vertauscht = false;
    for (QWidget* feld : {static_cast<QWidget*>(u.TxtAbsender), static_cast<QWidget*>(u.TxtAnschrift),
                          static_cast<QWidget*>(u.KombiFormat), static_cast<QWidget*>(u.ComboMasken)}) {
        feld->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([feld] { return QApplication::focusWidget() == feld; }))
            << feld->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        vertauscht = !vertauscht;
        EXPECT_EQ(u.TxtAbsender->toPlainText(), vertauscht ? anschrift : absender) << feld->objectName().toStdString();
        EXPECT_EQ(u.TxtAnschrift->toPlainText(), vertauscht ? absender : anschrift) << feld->objectName().toStdString();
    }

    // Swapped from the sender box and saved with Ctrl+S: the recipient's text
    // is the stored sender, and nothing of the clipboard is.
    u.TxtAbsender->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&u] { return QApplication::focusWidget() == u.TxtAbsender; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("User_Tester")), "Erika Muster\r\nKöln");
}

// "Schrift und Farbe einstellen": one dialog of font, sizes 4 to 50 points,
// effects and colour; the box takes the choice under the Windows name, a
// cancel changes nothing, and saving stores the font with its colour.
TEST_F(Umschlaege, SchriftDialogUndSichern)
{
    Umschlag u;
    u.show();
    const QString druckMono = zplatform::druckFamilie(QStringLiteral("Courier New"));
    int kleinste = 0, groesste = 0, nach60 = 0, nach2 = 0;
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>(
        [&] { u.PulSchriftAbsender->trigger(); },
        [&](zbefehle::SchriftDialog& d) {
            kleinste = d.txtGroesse->minimum();
            groesste = d.txtGroesse->maximum();
            EXPECT_EQ(d.txtGroesse->value(), 12) << "preset from the box";
            d.txtGroesse->setFocus();
            d.txtGroesse->selectAll();
            QTest::keyClicks(d.txtGroesse, QStringLiteral("60"));
            QTest::keyClick(d.txtGroesse, Qt::Key_Tab);
            nach60 = d.txtGroesse->value();
            d.txtGroesse->selectAll();
            QTest::keyClicks(d.txtGroesse, QStringLiteral("2"));
            QTest::keyClick(d.txtGroesse, Qt::Key_Tab);
            nach2 = d.txtGroesse->value();
            d.txtGroesse->selectAll();
            QTest::keyClicks(d.txtGroesse, QStringLiteral("50"));
            d.kombiSchrift->setCurrentIndex(d.kombiSchrift->findText(druckMono));
            d.strgFett->click();
            EXPECT_TRUE(farbeImDialogWaehlen(d, QColor(255, 0, 0)));
            d.befOk->click();
        }));
    EXPECT_EQ(kleinste, 4);
    EXPECT_EQ(groesste, 50);
    EXPECT_LE(nach60, 50) << "60 points cannot be typed";
    EXPECT_GE(nach2, 4) << "2 points cannot be typed";
    EXPECT_EQ(u.TxtAbsender->font().family(), "Courier New") << "the Windows name, not its stand-in";
    EXPECT_DOUBLE_EQ(u.TxtAbsender->font().pointSizeF(), 50.0);
    EXPECT_TRUE(u.TxtAbsender->font().bold());
    EXPECT_EQ(u.TxtAbsender->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no second dialog for the colour";

    // A cancel after changing everything leaves the recipient box as it was.
    const QString anschriftVorher = zcommon::Schrift_AlsText(u.TxtAnschrift);
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>([&] { u.PulSchriftAnschrift->trigger(); },
                                                        [&](zbefehle::SchriftDialog& d) {
                                                            d.kombiSchrift->setCurrentIndex(
                                                                d.kombiSchrift->findText(druckMono));
                                                            d.txtGroesse->setValue(8);
                                                            d.strgKursiv->click();
                                                            d.strgUnterstrichen->click();
                                                            d.setFarbe(QColor(0, 0, 255));
                                                            d.befAbbrechen->click();
                                                        }));
    EXPECT_EQ(zcommon::Schrift_AlsText(u.TxtAnschrift), anschriftVorher);
    EXPECT_EQ(u.TxtAnschrift->font().family(), "Arial");
    EXPECT_DOUBLE_EQ(u.TxtAnschrift->font().pointSizeF(), 15.75);
    EXPECT_FALSE(u.TxtAnschrift->font().italic());
    // OK without a change keeps the design font, its 15.75 points included.
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>([&] { u.PulSchriftAnschrift->trigger(); },
                                                        [](zbefehle::SchriftDialog& d) { d.befOk->click(); }));
    EXPECT_EQ(zcommon::Schrift_AlsText(u.TxtAnschrift), anschriftVorher);

    u.TxtAbsender->setPlainText(QStringLiteral("Anna\nWeg 2"));
    u.PulEinstellSichern->trigger();
    EXPECT_TRUE(u.bezSaveInfo->isHidden());
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("User_Tester_FontAbs")),
              "Courier New;50;-1;0;0;255");
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("User_Tester_FontAns")), anschriftVorher);
    Umschlag wieder;
    EXPECT_EQ(wieder.TxtAbsender->toPlainText(), "Anna\nWeg 2");
    EXPECT_EQ(wieder.TxtAbsender->font().family(), "Courier New");
    EXPECT_EQ(wieder.TxtAbsender->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(wieder.bezSaveInfo->isHidden());
}

// A struck-through recipient font opens the dialog with "Durchgestrichen"
// ticked, so OK keeps it; the largest size, 50 points, leaves the dialog as
// large as it was.
TEST_F(Umschlaege, DurchgestrichenBleibtUndDieGroessteSchriftLaesstDenDialogSoGross)
{
    Umschlag u;
    u.show();
    ASSERT_TRUE(mitModalDialog<zbefehle::SchriftDialog>([&] { u.PulSchriftAnschrift->trigger(); },
                                                        [](zbefehle::SchriftDialog& d) {
                                                            d.strgDurchgestrichen->click();
                                                            d.befOk->click();
                                                        }));
    ASSERT_TRUE(u.TxtAnschrift->font().strikeOut());

    const GroessteSchrift g = groessteSchriftWaehlen([&] { u.PulSchriftAnschrift->trigger(); });
    ASSERT_TRUE(g.gezeigt);
    EXPECT_TRUE(g.durchgestrichen);
    EXPECT_EQ(g.probe, 50);
    EXPECT_EQ(g.nachher, g.vorher) << "the dialog grew from " << g.vorher.width() << "x" << g.vorher.height() << " to "
                                   << g.nachher.width() << "x" << g.nachher.height();
    EXPECT_TRUE(u.TxtAnschrift->font().strikeOut());
    EXPECT_DOUBLE_EQ(u.TxtAnschrift->font().pointSizeF(), 50.0);
}

// Tab in a text box moves on to the next control: no TAB in the text that
// would be printed and stored, and no hint to save (nothing was typed).
TEST_F(Umschlaege, TabWechseltAusDenTextfeldern)
{
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("User_Tester"), QStringLiteral("Anna"));
    maske(QStringLiteral("Umschlag"), {QStringLiteral("{Vorname} {Nachname}")});
    adresse({{1, QStringLiteral("Muster")}, {2, QStringLiteral("Erika")}});
    Umschlag u;
    u.show();
    u.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&u));
    ASSERT_TRUE(u.bezSaveInfo->isHidden());
    for (QPlainTextEdit* box : {u.TxtAbsender, u.TxtAnschrift}) {
        const QString vorher = box->toPlainText();
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([box] { return QApplication::focusWidget() == box; }))
            << box->objectName().toStdString();
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), box) << box->objectName().toStdString();
        EXPECT_EQ(box->toPlainText(), vorher) << box->objectName().toStdString();
        box->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([box] { return QApplication::focusWidget() == box; }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_NE(QApplication::focusWidget(), box) << box->objectName().toStdString();
        EXPECT_EQ(box->toPlainText(), vorher) << box->objectName().toStdString();
    }
    EXPECT_TRUE(u.bezSaveInfo->isHidden());
    EXPECT_EQ(u.TxtAnschrift->toPlainText(), "Erika Muster");
    // A key that types something shows the hint.
    u.TxtAbsender->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&u] { return QApplication::focusWidget() == u.TxtAbsender; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_FALSE(u.bezSaveInfo->isHidden());
}

TEST_F(Umschlaege, UmschlagsfensterJeAdressdatei)
{
    maske(QStringLiteral("Umschlag"),
          {QStringLiteral("{Vorname} {Nachname} hat eine sehr lange Zeile mit vielen Worten")});
    adresse({{1, QStringLiteral("Muster")}, {2, QStringLiteral("Erika")}});
    // A file never used proposes the user's name; a cancel stores and prints nothing.
    p.eingaben.enqueue(QStringLiteral("<abbruch>"));
    FensterAttrappe f;
    mnuPrnUmschlagsfenster_Click(f);
    EXPECT_EQ(aufzeichnung()->auftraege(), 0);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AbsenderZeile_Kunden"), QStringLiteral("-")),
              "-");

    p.eingaben.enqueue(QStringLiteral("Kunden-Absender"));
    mnuPrnUmschlagsfenster_Click(f);
    zadressbuch::sitzung().AdressDateiName = daten() + QStringLiteral("/Privat.dat");
    // No answer queued: the proposed text, the user's name, is taken.
    mnuPrnUmschlagsfenster_Click(f);
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AbsenderZeile_Kunden")), "Kunden-Absender");
    EXPECT_EQ(zcommon::Ini_Lesen(QString(), QString(), QStringLiteral("AbsenderZeile_Privat")), "Tester");
    EXPECT_EQ(aufzeichnung()->auftraege(), 2);

    const zplatform::DruckSeite& s = aufzeichnung()->seiten().at(0);
    const auto* zeile = textOp(s, QStringLiteral("Tester"));
    ASSERT_TRUE(zeile);
    EXPECT_NEAR(zeile->x, 2.0, 1e-9);
    EXPECT_NEAR(zeile->y, 4.9, 1e-9);
    EXPECT_TRUE(zeile->schrift.unterstrichen);
    EXPECT_EQ(zeile->schrift.groesse, 8);
    const auto* block = textOp(s, QStringLiteral("Erika"), true);
    ASSERT_TRUE(block);
    EXPECT_NEAR(block->y, 5.5, 1e-9);
    for (const auto& op : s.operationen) {
        if (op.art == zplatform::DruckOperation::Text && op.y >= 5.5) {
            EXPECT_LE(op.x2, 8.5 + 1e-9) << op.text.toStdString();
        }
    }
    const auto& falz = s.operationen.back();
    EXPECT_EQ(falz.art, zplatform::DruckOperation::Linie);
    EXPECT_NEAR(falz.y, 9.9, 1e-9);
    EXPECT_NEAR(falz.x2, 0.2, 1e-9);
}

TEST_F(Umschlaege, LogbuchMitFremdenZeichenUndSchreibfehler)
{
    const QString log = w.wurzel() + QStringLiteral("/Umschlag.log");
    zplatform::bytesSchreiben(log, QByteArray());
    zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("UmschlagLogbuch"), log);
    {
        // Characters the log's code page cannot hold: printed as given, logged
        // as "?", and the user is told once which ones.
        Umschlag u;
        u.show();
        u.TxtAnschrift->setPlainText(QStringLiteral("Herrn Łukasz Wójcik \u4E2D\nŁódź"));
        imDialog([](PrinterSet& d) { d.BefOk->click(); });
        u.PulDrucken_Click();
        EXPECT_FALSE(u.isVisible());
        ASSERT_EQ(aufzeichnung()->auftraege(), 1);
        const QStringList texte = aufzeichnung()->seiten().at(0).texte();
        EXPECT_TRUE(texte.contains(QStringLiteral("Herrn Łukasz Wójcik \u4E2D"))) << texte.join('|').toStdString();
        EXPECT_EQ(bytes(log), "\r\nAm        02.07.2000 10:30\r\nAnschrift Herrn ?ukasz W\xF3jcik ? ~ ?\xF3"
                              "d?\r\n"
                              "Absender  Ihr Absender\r\nUser      Tester\r\n");
        ASSERT_EQ(p.meldungen.size(), 1u);
        EXPECT_EQ(p.meldungen[0].titel, "Umschlag drucken");
        EXPECT_TRUE(p.meldungen[0].text.startsWith(QStringLiteral("Die Datei »Umschlag.log« kann diese Zeichen")))
            << p.meldungen[0].text.toStdString();
        EXPECT_TRUE(p.meldungen[0].text.endsWith(QStringLiteral("Ł \u4E2D ź"))) << p.meldungen[0].text.toStdString();
    }

    // A log that cannot grow (the file size limit holds for root as well).
    zplatform::bytesSchreiben(log, QByteArray(8192, 'x'));
    const DateigroesseBegrenzt grenze(8192);
    zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
    p.meldungen.clear();
    Umschlag u;
    u.show();
    p.antworten.enqueue(zplatform::vbCancel);
    imDialog([](PrinterSet& d) {
        d.optAusrichtung[1]->setChecked(true);
        d.BefOk->click();
    });
    u.PulDrucken_Click();
    EXPECT_EQ(p.meldungen.back().titel, "Zettlora - Fehler");
    EXPECT_TRUE(
        p.meldungen.back().text.contains(QLatin1String("Es ist ein Fehler beim Umschlag drucken aufgetreten.")));
    EXPECT_TRUE(u.isVisible()) << "the form stays open";
    EXPECT_EQ(aufzeichnung()->auftraege(), 0) << "nothing half-printed is sent";
    EXPECT_EQ(PrinterSet::instanz(), nullptr);

    // Yes or No goes on with the envelope.
    p.antworten.enqueue(zplatform::vbNo);
    imDialog([](PrinterSet& d) { d.BefOk->click(); });
    u.PulDrucken_Click();
    EXPECT_EQ(aufzeichnung()->auftraege(), 1);
    EXPECT_FALSE(u.isVisible());
}

TEST_F(Umschlaege, EmblemNurFuerGenauDenText)
{
    auto operationen = [&](const char* logo) {
        zcommon::Ini_Schreiben(QString(), QString(), QStringLiteral("Logo4Umschlag"), QString::fromLatin1(logo));
        zplatform::druckerSetzen(std::make_unique<zplatform::AufzeichnungsDrucker>());
        UmschlagDruck u;
        u.mass = {22.0, 11.0};
        u.absender = QStringLiteral("Von");
        u.anschrift = QStringLiteral("An");
        u.emblem = Umschlag_MitEmblem();
        Umschlag_Zeichnen(u);
        return aufzeichnung()->seiten().at(0).operationen.size();
    };
    const size_t ohne = operationen("trevix");
    EXPECT_EQ(operationen(""), ohne);
    EXPECT_GT(operationen("Trevix"), ohne);
}
