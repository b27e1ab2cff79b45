// Settings files: every key the file lists reads as listed, and as a plain
// line-by-line reading on decoded text finds it; after a write the key
// reads back as the plain rule says (trimmed, line breaks stored as "**" and
// read as CR LF, quotes around the whole value dropped); every other key of
// the file keeps its value; the bytes are exactly those of a plain
// line-by-line write (so what differs lies within one old line, and at most a
// few lines are added); what the layer keeps of the file after a write (the
// places it carried over) reads as the written file does. A second write of
// another length checks the carried-over places again.
//
// Besides the file as given, the input's last byte may ask for huge cases:
// the file repeated up to 32 KB (a thousand sections and more), or a line of
// 64 KB in its middle. UTF-16 text and NUL bytes are plain bytes to the
// layer and must read without harm. It may also ask for the file as an
// editor saves it with a byte-order mark (UTF-8 or UTF-16, any text): such a
// file reads the same either way, and the same as the Windows-1252 file where
// its text fits that; a write into it stores it anew in Windows-1252 and keeps
// every other value.
#include "fuzzhilfe.h"
#include "ini_referenz.h"

#include "common/ini.h"
#include "platform/codec.h"

#include <QFile>
#include <QHash>

#include <algorithm>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool leer(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString beschnitten(const QString& s)
{
    qsizetype a = 0, e = s.size();
    while (a < e && leer(s.at(a)))
        ++a;
    while (e > a && leer(s.at(e - 1)))
        --e;
    return s.mid(a, e - a);
}

// Names meet without regard to case and surrounding blanks.
QString vergleichsform(const QString& name)
{
    QString n = beschnitten(name);
    for (QChar& c : n)
        c = c.toUpper();
    return n;
}

// A name as the layer takes it: line breaks as blanks, trimmed, a default for none.
QString bereinigt(QString name, const QString& vorgabe)
{
    name.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    name.replace(u'\r', u' ');
    name.replace(u'\n', u' ');
    name = beschnitten(name);
    return name.isEmpty() ? vorgabe : name;
}

using Inhalt = QHash<QString, QHash<QString, QString>>; // section -> key -> value

Inhalt auslesen(const QString& pfad)
{
    Inhalt inhalt;
    for (const auto& sektion : zcommon::Ini_Auslesen(pfad)) {
        auto& schluessel = inhalt[vergleichsform(sektion.name)];
        for (const auto& [name, wert] : sektion.eintraege)
            schluessel.insert(vergleichsform(name), wert);
    }
    return inhalt;
}

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The layer's reading equals the plain one.
void gleichWieReferenz(const std::vector<zcommon::IniSektion>& sektionen, const QByteArray& bytes)
{
    const auto referenz = zfuzz::referenz::lesen(bytes);
    zfuzz::pruefen(sektionen.size() == referenz.size(), "so viele Sektionen wie einfach gelesen");
    for (size_t i = 0; i < referenz.size(); ++i) {
        zfuzz::pruefen(sektionen[i].name == referenz[i].name, "Sektion wie einfach gelesen", sektionen[i].name,
                       referenz[i].name);
        zfuzz::pruefen(sektionen[i].eintraege == referenz[i].eintraege, "Schlüssel wie einfach gelesen",
                       sektionen[i].name);
    }
}

// What the layer holds after a write (without reading the file again) reads
// as the written bytes do by the plain reading.
void wieGeschrieben(const QString& pfad, const QByteArray& bytes)
{
    const auto referenz = zfuzz::referenz::lesen(bytes);
    QStringList namen;
    for (const auto& s : referenz)
        namen << s.name;
    zfuzz::pruefen(zcommon::Ini_Sektionen(pfad) == namen, "Sektionen nach dem Schreiben");
    for (const auto& s : referenz) {
        if (s.name.isEmpty())
            continue; // no caller can name it
        QStringList schluessel;
        for (const auto& [name, wert] : s.eintraege) {
            schluessel << name;
            zfuzz::pruefen(zcommon::Ini_Lesen(pfad, s.name, name, QStringLiteral("<fehlt>")) == wert,
                           "nach dem Schreiben wie einfach gelesen", s.name + u'/' + name, wert);
        }
        zfuzz::pruefen(zcommon::Ini_Schluessel(pfad, s.name) == schluessel, "Schlüssel nach dem Schreiben", s.name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    const QString pfad = zfuzz::wurzel() + QStringLiteral("/temp/fuzz.ini");
    FuzzedDataProvider fdp(daten, groesse);
    const QString sektion = zfuzz::text1252(fdp.ConsumeRandomLengthString(24));
    const QString schluessel = zfuzz::text1252(fdp.ConsumeRandomLengthString(24));
    const QString wert = zfuzz::text1252(fdp.ConsumeRandomLengthString(64));
    const std::uint8_t art = fdp.ConsumeIntegral<std::uint8_t>();
    QByteArray alt = QByteArray::fromStdString(fdp.ConsumeRemainingBytesAsString());
    if (art % 32 == 30 && !alt.isEmpty()) {
        // Many sections: the text again and again.
        const qsizetype mal = std::min<qsizetype>(2 + (art / 32) * 200, 32000 / alt.size());
        alt = alt.repeated(std::max<qsizetype>(mal, 1));
    } else if (art % 32 == 31) {
        // One very long line in the middle.
        QByteArray stueck = alt;
        stueck.replace('\r', "").replace('\n', "");
        if (stueck.isEmpty())
            stueck = "x";
        const QByteArray lang = stueck.repeated(64000 / stueck.size() + 1);
        alt = alt.left(alt.size() / 2) + lang + alt.mid(alt.size() / 2);
    }
    const auto ablegen = [&](const QByteArray& bytes) {
        QFile f(pfad);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            zfuzz::verletzt("Testdatei nicht geschrieben");
        zcommon::Ini_CacheLeeren();
    };
    // 28: the Windows-1252 text saved as UTF-8 with its mark; 29: the bytes as
    // UTF-16 code units, saved both ways with a mark (a text that a value's
    // own UTF-8 mark would turn into something else is left out).
    if (art % 32 == 28 || art % 32 == 29) {
        const bool ausCodeseite = art % 32 == 28;
        QString text = ausCodeseite ? zplatform::ausWindows1252(alt) : zfuzz::textUtf16(alt.toStdString());
        text = QString::fromUtf8(text.toUtf8()); // no lone surrogates
        if (text.contains(QStringLiteral("\u00EF\u00BB\u00BF")) || zplatform::markenLaenge(alt.constData(), alt.size()))
            return 0;
        const QByteArray utf8 = "\xEF\xBB\xBF" + text.toUtf8();
        if (ausCodeseite) {
            ablegen(alt);
            const Inhalt einfach = auslesen(pfad);
            ablegen(utf8);
            pruefen(auslesen(pfad) == einfach, "mit UTF-8-Marke wie Windows-1252");
        } else {
            ablegen("\xFF\xFE" + zplatform::nachKodierung(text, "UTF-16LE"));
            const Inhalt utf16 = auslesen(pfad);
            ablegen(utf8);
            pruefen(auslesen(pfad) == utf16, "UTF-8 wie UTF-16");
        }
        alt = utf8;
    }
    ablegen(alt);
    // A marked file is read as its text and stored anew in Windows-1252: the
    // byte-for-byte comparisons with the plain reading hold only without a mark.
    const bool markiert = zplatform::markenLaenge(alt.constData(), alt.size()) > 0;

    // The reader: every section and key the file lists reads as listed, and
    // as the plain reading finds them.
    const auto sektionen = zcommon::Ini_Auslesen(pfad);
    if (!markiert)
        gleichWieReferenz(sektionen, alt);
    const QStringList sektionsNamen = zcommon::Ini_Sektionen(pfad);
    pruefen(sektionsNamen.size() == qsizetype(sektionen.size()), "Sektionen wie Auslesen");
    for (size_t i = 0; i < sektionen.size(); ++i) {
        const auto& sek = sektionen[i];
        pruefen(sektionsNamen[qsizetype(i)] == sek.name, "Sektionsname wie Auslesen", sek.name);
        if (sek.name.contains(u'\r') || sek.name.isEmpty())
            continue; // no caller can name it
        const QStringList schluesselNamen = zcommon::Ini_Schluessel(pfad, sek.name);
        pruefen(schluesselNamen.size() == qsizetype(sek.eintraege.size()), "Schlüssel wie Auslesen", sek.name);
        for (size_t k = 0; k < sek.eintraege.size(); ++k) {
            const auto& [name, wert] = sek.eintraege[k];
            pruefen(schluesselNamen[qsizetype(k)] == name, "Schlüsselname wie Auslesen", name);
            if (!name.contains(u'\r'))
                pruefen(zcommon::Ini_Lesen(pfad, sek.name, name, QStringLiteral("<fehlt>")) == wert,
                        "Ini_Lesen wie Auslesen", sek.name + u'/' + name, wert);
        }
    }

    const Inhalt vorher = auslesen(pfad);
    zcommon::Ini_Schreiben(pfad, sektion, schluessel, wert);
    const QByteArray neu = lesen(pfad);
    if (!markiert)
        pruefen(neu == zfuzz::referenz::schreiben(alt, sektion, schluessel, wert), "Bytes wie beim einfachen Schreiben",
                zplatform::ausWindows1252(neu),
                zplatform::ausWindows1252(zfuzz::referenz::schreiben(alt, sektion, schluessel, wert)));
    wieGeschrieben(pfad, neu);
    const Inhalt nachher = auslesen(pfad);

    // Names the file format can hold: one line, no "=" in a key, a key that
    // does not begin like a comment or a section.
    const QString sek = bereinigt(sektion, QString::fromLatin1(zcommon::ProgrammSektion));
    const QString schl = bereinigt(schluessel, QStringLiteral("NoKey"));
    if (schl.contains(u'=') || schl.startsWith(u';') || schl.startsWith(u'['))
        return 0;
    const QString sekNorm = vergleichsform(sek), schlNorm = vergleichsform(schl);

    // Reads back by the plain rule.
    QString soll = wert;
    soll.replace(QStringLiteral("\r\n"), QStringLiteral("**"));
    soll.replace(u'\r', QStringLiteral("**"));
    soll.replace(u'\n', QStringLiteral("**"));
    soll = beschnitten(soll);
    // A value wholly enclosed in matching quotes reads without them.
    const bool inAnfuehrung =
        soll.size() >= 2 && (soll.front() == u'"' || soll.front() == u'\'') && soll.back() == soll.front();
    if (inAnfuehrung)
        soll = soll.mid(1, soll.size() - 2);
    soll.replace(QStringLiteral("**"), QStringLiteral("\r\n"));
    const QString gelesen = zcommon::Ini_Lesen(pfad, sektion, schluessel, QStringLiteral("<fehlt>"));
    pruefen(gelesen == soll, "liest zurück, was geschrieben wurde", soll, gelesen);
    if (!wert.contains(u'*') && !wert.contains(u'\r') && !wert.contains(u'\n') && beschnitten(wert) == wert &&
        !inAnfuehrung)
        pruefen(gelesen == wert, "einfacher Wert unverändert", wert, gelesen);
    pruefen(nachher.value(sekNorm).value(schlNorm, QStringLiteral("<fehlt>")) == soll, "Auslesen zeigt den Wert", soll);
    zcommon::Ini_CacheLeeren();
    pruefen(zcommon::Ini_Lesen(pfad, sektion, schluessel, QStringLiteral("<fehlt>")) == gelesen,
            "Zwischenspeicher wie Datei", gelesen);

    // Every other key keeps its value, no other key appears.
    for (auto s = vorher.cbegin(); s != vorher.cend(); ++s) {
        pruefen(nachher.contains(s.key()), "Sektion bleibt", s.key());
        for (auto k = s.value().cbegin(); k != s.value().cend(); ++k) {
            if (s.key() == sekNorm && k.key() == schlNorm)
                continue;
            pruefen(nachher.value(s.key()).value(k.key()) == k.value(), "anderer Schlüssel unverändert",
                    s.key() + u'/' + k.key(), k.value());
        }
    }
    for (auto s = nachher.cbegin(); s != nachher.cend(); ++s) {
        pruefen(vorher.contains(s.key()) || s.key() == sekNorm, "keine fremde neue Sektion", s.key());
        for (auto k = s.value().cbegin(); k != s.value().cend(); ++k)
            pruefen(vorher.value(s.key()).contains(k.key()) || (s.key() == sekNorm && k.key() == schlNorm),
                    "kein fremder neuer Schlüssel", s.key() + u'/' + k.key());
    }

    // The bytes: what differs lies within one old line, and at most a few
    // lines are added (a marked file is stored anew, so not there).
    if (!markiert) {
        qsizetype vorn = 0;
        while (vorn < alt.size() && vorn < neu.size() && alt[vorn] == neu[vorn])
            ++vorn;
        qsizetype hinten = 0;
        while (hinten < alt.size() - vorn && hinten < neu.size() - vorn &&
               alt[alt.size() - 1 - hinten] == neu[neu.size() - 1 - hinten])
            ++hinten;
        const QByteArray altMitte = alt.mid(vorn, alt.size() - vorn - hinten);
        const QByteArray neuMitte = neu.mid(vorn, neu.size() - vorn - hinten);
        pruefen(!altMitte.contains('\n') && neuMitte.count('\n') <= 4, "nur eine Zeile geändert",
                zplatform::ausWindows1252(altMitte), zplatform::ausWindows1252(neuMitte));
    }

    // A second write of another length into the first section that counts:
    // every place after it moves.
    const auto jetzt = zfuzz::referenz::lesen(neu);
    if (!jetzt.empty() && !jetzt.front().name.isEmpty()) {
        const auto& erste = jetzt.front();
        const QString name = erste.eintraege.empty() ? schluessel : erste.eintraege.front().first;
        const QString laenger = wert + QStringLiteral("x") + wert;
        zcommon::Ini_Lesen(pfad, erste.name, name); // the cache holds the file
        zcommon::Ini_Schreiben(pfad, erste.name, name, laenger);
        const QByteArray danach = lesen(pfad);
        pruefen(danach == zfuzz::referenz::schreiben(neu, erste.name, name, laenger),
                "zweites Schreiben wie beim einfachen Schreiben", erste.name, name);
        wieGeschrieben(pfad, danach);
    }
    return 0;
}
