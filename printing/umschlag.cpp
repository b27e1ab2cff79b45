#include "printing/umschlag.h"

#include "common/dateien.h"
#include "common/drucktext.h"
#include "common/ini.h"
#include "common/texte.h"
#include "platform/codec.h"
#include "platform/textdatei.h"

#include <algorithm>

namespace zdruck {

namespace {

QString lesen(const QString& schluessel, const QString& vorgabe = QString())
{
    return zcommon::Ini_Lesen(QString(), QString(), schluessel, vorgabe);
}

void schreiben(const QString& schluessel, const QString& wert)
{
    zcommon::Ini_Schreiben(QString(), QString(), schluessel, wert);
}

// One text on one line of the log.
QString einzeilig(QString t)
{
    t.remove(QLatin1Char('\n'));
    t.replace(QLatin1Char('\r'), QStringLiteral(" ~ "));
    return t;
}

} // namespace

QStringList Umschlag_Formate()
{
    return {
        QStringLiteral("22.0 x 11.0 cm Umschlag DL (breit)"), QStringLiteral("16.2 x 11.4 cm Umschlag C6 (Standard)"),
        QStringLiteral("22.9 x 16.2 cm Umschlag C5"),         QStringLiteral("16.2 x 22.9 cm Umschlag C5 Hoch"),
        QStringLiteral("32.4 x 22.9 cm Umschlag C4"),         QStringLiteral("22.9 x 11.4 cm Umschlag C65"),
        QStringLiteral("17.6 x 12.5 cm Umschlag B6"),         QStringLiteral("25.0 x 17.6 cm Umschlag B5"),
        QStringLiteral("35.3 x 25.0 cm Umschlag B4")};
}

UmschlagMass Umschlag_Mass(const QString& caption)
{
    return {zcommon::Val(caption.mid(0, 4)), zcommon::Val(caption.mid(7, 4))};
}

int Umschlag_FormatIndex(const QString& gespeichert)
{
    const double z = zcommon::Val(gespeichert);
    if (!(z >= 0 && z <= UmschlagFormatAnzahl - 1))
        return 0;
    return int(z);
}

UmschlagEinstellungen Umschlag_EinstellungenLaden(const QString& benutzer, const QString& datei)
{
    UmschlagEinstellungen e;
    const QString eigener = lesen(QStringLiteral("User_") + benutzer, QString::fromLatin1(StandardAbsender));
    e.absender = lesen(QStringLiteral("UmschlagSpezialAbsender_") + datei, eigener);
    e.schriftAbsender = lesen(QStringLiteral("Font_Abs_") + benutzer);
    if (e.schriftAbsender.isEmpty())
        e.schriftAbsender = lesen(QStringLiteral("User_") + benutzer + QStringLiteral("_FontAbs"));
    e.schriftAnschrift = lesen(QStringLiteral("Font_Ans_") + benutzer);
    if (e.schriftAnschrift.isEmpty())
        e.schriftAnschrift = lesen(QStringLiteral("User_") + benutzer + QStringLiteral("_FontAns"));
    e.format = Umschlag_FormatIndex(lesen(QStringLiteral("Umschlagsgröße"), QStringLiteral("1")));
    e.maske = lesen(QStringLiteral("User_") + benutzer + QStringLiteral("_UmschlagsMaske"), QStringLiteral("Umschlag"));
    return e;
}

void Umschlag_EinstellungenSichern(const QString& benutzer, const QString& datei, const UmschlagEinstellungen& e)
{
    zcommon::Ini_Stapel stapel{QString()};
    schreiben(QStringLiteral("User_") + benutzer, e.absender);
    schreiben(QStringLiteral("UmschlagSpezialAbsender_") + datei, e.absender);
    schreiben(QStringLiteral("User_") + benutzer + QStringLiteral("_FontAbs"), e.schriftAbsender);
    schreiben(QStringLiteral("User_") + benutzer + QStringLiteral("_FontAns"), e.schriftAnschrift);
    schreiben(QStringLiteral("Umschlagsgröße"), QString::number(e.format));
    QString maske = e.maske;
    if (maske.endsWith(QLatin1String(".msk"), Qt::CaseInsensitive))
        maske.chop(4);
    schreiben(QStringLiteral("User_") + benutzer + QStringLiteral("_UmschlagsMaske"), maske);
}

QString Umschlag_Logbuch()
{
    return lesen(QStringLiteral("UmschlagLogbuch"));
}

bool Umschlag_MitEmblem()
{
    return lesen(QStringLiteral("Logo4Umschlag")) == QLatin1String("Trevix");
}

QStringList Umschlag_LogEintrag(const QDateTime& zeit, const QString& anschrift, const QString& absender,
                                const QString& benutzer)
{
    const QString punkt(QChar(0x00B7));
    QString t = punkt + QStringLiteral("Am        ") + zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm")) + punkt +
                QStringLiteral("Anschrift ") + einzeilig(anschrift) + punkt + QStringLiteral("Absender  ") +
                einzeilig(absender) + punkt + QStringLiteral("User      ") + einzeilig(benutzer);
    // The entry begins with a line break (an empty line before it) and every
    // middle dot starts a new line.
    return t.split(punkt);
}

bool Umschlag_LogSchreiben(const QString& pfad, const QStringList& eintrag, QString* ersetzt)
{
    if (pfad.isEmpty() || !zcommon::Datei_Existiert(pfad))
        return true;
    QStringList zeilen;
    for (const QString& zeile : eintrag)
        zeilen << zplatform::nurWindows1252(zeile, ersetzt);
    return bool(zplatform::zeilenAnhaengen(pfad, zeilen));
}

void Umschlag_BlattEinlegen(const UmschlagMass& m, bool hochformat)
{
    zplatform::Drucker& d = zplatform::drucker();
    d.setAusrichtung(hochformat ? 1 : 2);
    // The sheet as it lies in portrait: turned by landscape to W across.
    if (hochformat)
        d.setPapierformat(m.breite, m.hoehe);
    else
        d.setPapierformat(m.hoehe, m.breite);
}

void Umschlag_Zeichnen(const UmschlagDruck& u)
{
    zplatform::Drucker& d = zplatform::drucker();
    const double W = u.mass.breite;
    const double H = u.mass.hoehe;
    d.scaleLeft = -u.randX;
    // In landscape the envelope's lower edge goes to the printable area's
    // lower edge (P its height as the printer reports it); where the sheet is
    // the envelope itself, that area is no higher than the envelope and its
    // top edge stays the envelope's top, as in portrait, so the sender never
    // lies above the printable area.
    const double P = d.scaleHeight();
    if (d.ausrichtung() == 2)
        d.scaleTop = std::min(0.0, H - P) - u.randY;
    else
        d.scaleTop = -u.randY;
    // The recipient keeps the margins from the envelope's edges and stays
    // inside what the printer can reach.
    const double rechts = std::min(W - 2 * u.randX, d.scaleWidth() + d.scaleLeft);
    const double unten = std::min(H - 2 * u.randY, P + d.scaleTop);

    d.schrift.groesse = 1;
    d.drucken(QStringLiteral(" "));

    auto schriftSetzen = [&d](const zplatform::DruckSchrift& s) {
        d.schrift.farbe = s.farbe;
        d.schrift.name = s.name;
        d.schrift.groesse = s.groesse;
        d.schrift.fett = s.fett;
        d.schrift.kursiv = s.kursiv;
    };
    schriftSetzen(u.schriftAbsender);
    QString absender = u.absender;
    zcommon::Text_ImRechteckDrucken(absender, 0, 0, W * 0.5, H * 0.8);
    for (int i = 0; i < 3; ++i)
        d.drucken(QString());

    if (u.emblem) {
        d.currentX = 0;
        zcommon::Emblem_Drucken(1.1);
    }

    schriftSetzen(u.schriftAnschrift);
    QString anschrift = u.anschrift + QStringLiteral("\r\n");
    zcommon::Text_ImRechteckDrucken(anschrift, W / 2.5, std::min(H / 2.5, 4.5), rechts, unten);
}

QString Absenderzeile_Schluessel(const QString& adressdatei)
{
    return QStringLiteral("AbsenderZeile_") + zcommon::Datei_Teil(adressdatei, 1);
}

void Umschlagsfenster_Zeichnen(const QString& absenderzeile, const QString& anschrift)
{
    zplatform::Drucker& d = zplatform::drucker();
    d.scaleTop = 0;
    d.scaleLeft = 0;
    d.schrift.name = QStringLiteral("Arial");
    d.schrift.groesse = 8;
    d.schrift.unterstrichen = true;
    QString zeile = absenderzeile;
    zcommon::Text_ImRechteckDrucken(zeile, 2, 4.9, 10);
    d.schrift.groesse = 14;
    d.schrift.unterstrichen = false;
    QString block = anschrift;
    zcommon::Text_ImRechteckDrucken(block, 2, 5.5, 8.5);
    d.linie(0, 9.9, 0.2, 9.9);
}

} // namespace zdruck
