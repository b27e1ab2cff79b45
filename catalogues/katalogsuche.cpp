#include "catalogues/katalogsuche.h"

#include "addressbook/fenster.h"
#include "common/ini.h"
#include "common/meldungen.h"
#include "common/muster.h"
#include "common/texte.h"
#include "platform/ordner.h"
#include "platform/plattform.h"
#include "platform/codec.h"
#include "platform/textdatei.h"

#include <QFile>
#include <QFileInfo>

namespace zkataloge {

namespace {

struct Konstanten
{
    const char* schluessel;
    const char* titel;
    const char* prompt;
    const char* maske;
    const char* status;
    qint64 grenze;
    const char* gefunden;
    const char* keine;
};

Konstanten konstanten(Katalogart art)
{
    if (art == Katalogart::Bank)
        return {"SucheBlzBankZuletzt",
                "Suche BLZ oder Bank",
                "Geben Sie bitte die BLZ oder einen Teil der gesuchten Bank ein. Platzhalter sind erlaubt.",
                "*-Blz_?.txt",
                "BLZ/Bank-Suche ...",
                20,
                " BLZ bzw. Banken mit »",
                "Es wurden leider keine BLZ bzw. Banken mit »"};
    return {"SuchePlzOrtZuletzt",
            "Suche PLZ oder Ort",
            "Geben Sie bitte die PLZ oder einen Teil des gesuchten Ortes ein. Platzhalter sind erlaubt.",
            "*-Plz_Ort_?.txt",
            "PLZ/Ort-Suche ...",
            25,
            " PLZ bzw. Orte mit »",
            "Es wurden leider keine PLZ bzw. Orte mit »"};
}

// Every line of a catalogue file as the text reader gives it (an LF ends a
// line, a CR before it goes; a byte-order mark names UTF-8 or UTF-16), but
// read a block at a time, so a huge catalogue is never held whole. False
// when the file cannot be read.
bool zeilenweise(const QString& pfad, const std::function<void(const QString&)>& zeile)
{
    const QString ziel = zplatform::pfadAufloesen(pfad);
    QFile datei(ziel);
    if (!QFileInfo(ziel).isFile() || !datei.open(QIODevice::ReadOnly))
        return false;
    const QByteArray anfang = datei.peek(3);
    const qsizetype marke = zplatform::markenLaenge(anfang.constData(), anfang.size());
    if (marke == 2) {
        // UTF-16 (a rare guest here): read whole.
        zplatform::Ergebnis gelesen;
        const QStringList zeilen = zplatform::zeilenLesen(pfad, &gelesen);
        for (const QString& z : zeilen)
            zeile(z);
        return bool(gelesen);
    }
    datei.skip(marke);
    const auto text = [marke](const char* p, qsizetype n) {
        return marke == 3 ? QString::fromUtf8(p, n) : zplatform::ausWindows1252(p, n);
    };
    QByteArray rest;
    for (;;) {
        const QByteArray block = datei.read(1 << 18);
        if (block.isEmpty())
            break;
        rest += block;
        qsizetype a = 0;
        for (qsizetype lf; (lf = rest.indexOf('\n', a)) >= 0; a = lf + 1)
            zeile(text(rest.constData() + a, lf > a && rest[lf - 1] == '\r' ? lf - a - 1 : lf - a));
        rest.remove(0, a);
    }
    if (!rest.isEmpty())
        zeile(text(rest.constData(), rest.size()));
    return datei.error() == QFileDevice::NoError;
}

} // namespace

SuchErgebnis Katalog_Durchsuchen(Katalogart art, const QString& suchtext,
                                 const std::function<void(qint64)>& zwischenstand)
{
    const Konstanten k = konstanten(art);
    SuchErgebnis e;
    const zcommon::Muster muster(QLatin1Char('*') + zcommon::LCase(zcommon::Trim(suchtext)) + QLatin1Char('*'));
    if (!muster.gueltig())
        return e;
    const QString ordner = Katalog_Ordner();
    for (const QString& name : zplatform::dateienListen(ordner, QString::fromLatin1(k.maske))) {
        const QString land = name.left(name.indexOf(QLatin1Char('-')) + 1);
        zeilenweise(ordner + QLatin1Char('/') + name, [&](const QString& zeile) {
            if (!muster.passt(zcommon::LCase(zeile)))
                return;
            ++e.treffer;
            if (zwischenstand)
                zwischenstand(e.treffer);
            if (e.treffer < k.grenze)
                e.liste += land + zeile + QLatin1Char('~');
        });
    }
    return e;
}

QString Suche_Meldung(Katalogart art, const SuchErgebnis& e, const QString& suchtext)
{
    const Konstanten k = konstanten(art);
    QString text;
    if (e.treffer > 0) {
        text = QStringLiteral("Es wurden ") + QString::number(e.treffer) + QString::fromUtf8(k.gefunden) + suchtext +
               QStringLiteral("« gefunden:~~") + e.liste;
        if (e.treffer >= k.grenze)
            text += QStringLiteral("... usw.~");
    } else {
        text = QString::fromUtf8(k.keine) + suchtext + QStringLiteral("« gefunden.~");
    }
    return text + QStringLiteral("~Möchten Sie weiter suchen?");
}

void Katalog_Suchen(Katalogart art, zadressbuch::Fenster& fenster)
{
    const Konstanten k = konstanten(art);
    const QString schluessel = QString::fromLatin1(k.schluessel);
    const QString titel = QString::fromUtf8(k.titel);
    bool begonnen = false;
    for (;;) {
        const QString vorgabe = zcommon::Ini_Lesen(QString(), QString(), schluessel, QString());
        bool abgebrochen = false;
        const QString antwort =
            zplatform::plattform().eingabe(QString::fromUtf8(k.prompt), titel, vorgabe, &abgebrochen);
        if (abgebrochen || antwort.isEmpty())
            break;
        zcommon::Ini_Schreiben(QString(), QString(), schluessel, antwort);
        fenster.Status(QString::fromUtf8(k.status));
        zplatform::plattform().sanduhr(true);
        begonnen = true;
        const QString zwischen = QString::fromUtf8(k.status) + QLatin1Char(' ');
        const SuchErgebnis e = Katalog_Durchsuchen(art, antwort, [&](qint64 n) {
            if (n % 50 == 1)
                fenster.Status(zwischen + QString::number(n) + QStringLiteral(" Treffer"));
        });
        fenster.Status(zwischen + QString::number(e.treffer) + QStringLiteral(" Treffer"));
        const QString gemerkt = zcommon::Ini_Lesen(QString(), QString(), schluessel, QString());
        // Every "~" becomes a line break, those of the search text and the listed lines too.
        const QString meldung =
            zcommon::Ersetzen(Suche_Meldung(art, e, gemerkt), QStringLiteral("~"), QStringLiteral("\r\n"));
        zplatform::plattform().ton(QStringLiteral("#SystemQuestion"));
        const int wahl = zplatform::plattform().meldung(
            meldung, zplatform::vbYesNo | zplatform::vbQuestion | zplatform::vbDefaultButton2, titel);
        if (wahl != zplatform::vbYes)
            break;
    }
    if (begonnen) {
        fenster.Status(QStringLiteral("Bereit"));
        zplatform::plattform().sanduhr(false);
    }
}

} // namespace zkataloge
