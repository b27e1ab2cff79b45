// Settings files: every key the file lists reads as listed; after a write
// the key reads back as the plain rule says (trimmed, line breaks stored as
// "**" and read as CR LF, quotes around the whole value dropped); every other key of
// the file keeps its value; the bytes of the file change only in the one line
// written (or the lines added for a new key or section); what is cached is
// what is on disk. A file an editor saved with a byte-order mark (UTF-8 or
// UTF-16, any text) reads the same either way, and the same as the
// Windows-1252 file where its text fits that; a write into it keeps every
// other value.
#include "fuzzhilfe.h"

#include "common/ini.h"
#include "platform/codec.h"

#include <QFile>
#include <QHash>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, size_t groesse)
{
    using zfuzz::pruefen;
    const QString pfad = zfuzz::wurzel() + QStringLiteral("/temp/fuzz.ini");
    FuzzedDataProvider fdp(daten, groesse);
    const QString sektion = zfuzz::text1252(fdp.ConsumeRandomLengthString(24));
    const QString schluessel = zfuzz::text1252(fdp.ConsumeRandomLengthString(24));
    const QString wert = zfuzz::text1252(fdp.ConsumeRandomLengthString(64));
    const int art = fdp.ConsumeIntegralInRange(0, 3);
    QByteArray alt = QByteArray::fromStdString(fdp.ConsumeRemainingBytesAsString());
    const auto ablegen = [&](const QByteArray& bytes) {
        QFile f(pfad);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            zfuzz::verletzt("Testdatei nicht geschrieben");
        zcommon::Ini_CacheLeeren();
    };
    // 1: the Windows-1252 text saved as UTF-8 with its mark; 2: the bytes as
    // UTF-16 code units, saved both ways with a mark (a text that a value's
    // own UTF-8 mark would turn into something else is left out).
    if (art == 1 || art == 2) {
        QString text = art == 1 ? zplatform::ausWindows1252(alt) : zfuzz::textUtf16(alt.toStdString());
        text = QString::fromUtf8(text.toUtf8()); // no lone surrogates
        if (text.contains(QStringLiteral("\u00EF\u00BB\u00BF")) || zplatform::markenLaenge(alt.constData(), alt.size()))
            return 0;
        const QByteArray utf8 = "\xEF\xBB\xBF" + text.toUtf8();
        if (art == 1) {
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

    // The reader: every section and key the file lists reads as listed.
    const auto sektionen = zcommon::Ini_Auslesen(pfad);
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
    // lines are added (a marked file is stored anew in Windows-1252).
    if (zplatform::markenLaenge(alt.constData(), alt.size()) > 0)
        return 0;
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
    return 0;
}
