// The address-file loader against arbitrary bytes:
// - it agrees with a plain reference that decodes the whole file at once (by
//   its byte-order mark, else as Windows-1252),
//   drops the end-of-file marks (Ctrl+Z) at its end, splits at CR LF, LF and
//   lone CR and applies the skip rule;
// - saving what was loaded and loading that again gives the same description
//   and records (for files without end-of-file marks, whose place in the
//   file may change on a save); what Windows-1252 cannot hold is refused.
#include "addressbook/adressdatei.h"
#include "platform/codec.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace zadressbuch;

bool ohneAdresse(const QString& z)
{
    int feld = 0;
    for (QChar c : z) {
        if (c == u'\t') {
            ++feld;
            continue;
        }
        if (c != u' ' && c != QChar(0x1A) && feld != ErstelltAm && feld != GeaendertAm && feld != Index)
            return false;
    }
    return true;
}

struct Referenz
{
    QString beschreibung;
    bool hatBeschreibung = false;
    QStringList eintraege;
};

Referenz referenz(const QByteArray& bytes)
{
    Referenz r;
    // A UTF-16 file is read through UTF-8: a lone surrogate becomes U+FFFD.
    QString text = zplatform::ausDateiBytes(bytes);
    if (zplatform::markenLaenge(bytes.constData(), bytes.size()) == 2)
        text = zplatform::ausUtf8(text.toUtf8().constData(), text.toUtf8().size());
    qsizetype schluss = text.size();
    while (schluss > 0 &&
           (text[schluss - 1] == QChar(0x1A) || text[schluss - 1] == u'\r' || text[schluss - 1] == u'\n'))
        --schluss;
    const qsizetype marke = text.indexOf(QChar(0x1A), schluss);
    if (marke >= 0)
        text.truncate(marke);
    QStringList zeilen;
    QString aktuell;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            zeilen << aktuell;
            aktuell.clear();
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            aktuell += text[i];
        }
    }
    if (!aktuell.isEmpty())
        zeilen << aktuell;
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        const QString& z = zeilen[i];
        if (i == 0 && z.startsWith(QStringLiteral(".."))) {
            r.hatBeschreibung = true;
            r.beschreibung = z.mid(2);
            continue;
        }
        if (ohneAdresse(z))
            continue;
        if (r.eintraege.size() >= MaxAdressen)
            break;
        r.eintraege << (z.startsWith(u'\t') ? QStringLiteral(" ") + z : z);
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(daten), qsizetype(groesse));
    const QString pfad = dir.path() + QStringLiteral("/a.dat");
    {
        QFile f(pfad);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    }
    const LadeErgebnis e = Adressdatei_Lesen(pfad, false);
    if (!e.ok)
        std::abort();
    const Referenz r = referenz(bytes);
    if (e.eintraege != r.eintraege || e.hatBeschreibung != r.hatBeschreibung ||
        (r.hatBeschreibung && e.beschreibung != r.beschreibung))
        std::abort();

    if (bytes.contains('\x1a'))
        return 0;
    const QString zweite = dir.path() + QStringLiteral("/b.dat");
    const bool darstellbar =
        zplatform::istWindows1252(e.beschreibung) && zplatform::istWindows1252(e.eintraege.join(u'\n'));
    if (Adressdatei_Schreiben(zweite, e.beschreibung, e.eintraege).ok != darstellbar)
        std::abort();
    if (!darstellbar)
        return 0;
    const LadeErgebnis wieder = Adressdatei_Lesen(zweite, false);
    if (!wieder.ok || wieder.eintraege != e.eintraege || wieder.beschreibung != e.beschreibung)
        std::abort();
    return 0;
}
