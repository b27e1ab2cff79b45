#include "platform/drucker.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zplatform {

namespace {
bool mehrzeilig(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

QStringList druckZeilen(const QString& text)
{
    if (!mehrzeilig(text))
        return {text};
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

QStringList DruckSeite::texte() const
{
    QStringList t;
    for (const DruckOperation& op : operationen) {
        if (op.art == DruckOperation::Text)
            t << op.text;
    }
    return t;
}

bool Drucker::setPapierformat(double, double)
{
    return false;
}

double Drucker::papierBreite() const
{
    return ausrichtung() == 2 ? seitenHoehe() : seitenBreite();
}

double Drucker::papierHoehe() const
{
    return ausrichtung() == 2 ? seitenBreite() : seitenHoehe();
}

namespace {
constexpr Papierformat Formate[] = {
    {"A4", 21.0, 29.7}, {"A5", 14.8, 21.0}, {"Letter", 21.59, 27.94}, {"DL", 11.0, 22.0},
    {"C4", 22.9, 32.4}, {"C5", 16.2, 22.9}, {"C6", 11.4, 16.2},       {"C65", 11.4, 22.9},
    {"B4", 25.0, 35.3}, {"B5", 17.6, 25.0}, {"B6", 12.5, 17.6},
};
} // namespace

std::span<const Papierformat> papierformate()
{
    return Formate;
}

const Papierformat* papierformat(const QString& name)
{
    for (const Papierformat& f : Formate) {
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

Blattlage blattlage(double breite, double hoehe, int ausrichtung)
{
    constexpr double Toleranz = 0.1; // cm
    Blattlage lage;
    const double kurz = std::min(breite, hoehe);
    const double lang = std::max(breite, hoehe);
    for (const Papierformat& f : Formate) {
        if (std::abs(f.breite - kurz) <= Toleranz && std::abs(f.hoehe - lang) <= Toleranz) {
            lage.format = &f;
            break;
        }
    }
    const bool breitLiegend = lage.format && breite > hoehe;
    lage.quer = breitLiegend != (ausrichtung == 2);
    return lage;
}

QString blattName(double breite, double hoehe)
{
    if (const Papierformat* f = blattlage(breite, hoehe, 1).format)
        return QString::fromLatin1(f->name);
    return QStringLiteral("Custom.%1x%2mm").arg(qRound(breite * 10.0)).arg(qRound(hoehe * 10.0));
}

namespace {
int& laufTiefe()
{
    static int tiefe = 0;
    return tiefe;
}
} // namespace

void druckLaufBeginnen()
{
    ++laufTiefe();
}

void druckLaufBeenden()
{
    if (laufTiefe() > 0)
        --laufTiefe();
}

bool druckLaufOffen()
{
    return laufTiefe() > 0;
}

namespace {
std::function<void(const QString&)>& ausgabeDateiMeldung()
{
    static std::function<void(const QString&)> meldung;
    return meldung;
}
} // namespace

void ausgabeDateiMeldungSetzen(std::function<void(const QString& datei)> meldung)
{
    ausgabeDateiMeldung() = std::move(meldung);
}

void ausgabeDateiMelden(const QString& datei)
{
    if (ausgabeDateiMeldung())
        ausgabeDateiMeldung()(datei);
}

void Drucker::ausgabe()
{
    if (m_seitenwechsel) {
        // The routine may have placed the position for its next page already.
        m_seitenwechsel = false;
        const double x = currentX;
        const double y = currentY;
        seiteWechseln();
        currentX = x;
        currentY = y;
    }
    ausgabeBeginnen();
    m_offen = true;
}

void Drucker::neueSeite()
{
    m_seitenwechsel = false; // an EndDoc in a run followed by NewPage gives one new page
    ausgabe();
    seiteWechseln();
    currentX = 0.0;
    currentY = 0.0;
}

void Drucker::auftragZuEnde()
{
    m_offen = false;
    m_seitenwechsel = false;
    m_auftragsname = StandardAuftragsname;
}

bool Drucker::dokumentEnde()
{
    schrift = DruckSchrift{};
    currentX = 0.0;
    currentY = 0.0;
    if (m_offen && druckLaufOffen()) {
        m_seitenwechsel = true;
        return true;
    }
    const bool ok = auftragSenden();
    auftragZuEnde();
    return ok;
}

void Drucker::abbrechen()
{
    schrift = DruckSchrift{};
    auftragVerwerfen();
    auftragZuEnde();
    currentX = 0.0;
    currentY = 0.0;
}

void Drucker::drucken(const QString& text, bool zeilenEnde)
{
    ausgabe();
    const QStringList zeilen = mehrzeilig(text) ? druckZeilen(text) : QStringList{text};
    const double zeilenHoehe = textHoehe(QStringLiteral("Ay"));
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        const QString& zeile = zeilen.at(i);
        if (!zeile.isEmpty())
            textZeichnen(currentX - scaleLeft, currentY - scaleTop, zeile);
        if (i + 1 < zeilen.size() || zeilenEnde) {
            currentX = 0.0;
            currentY += zeilenHoehe;
        } else {
            currentX += textBreite(zeile);
        }
    }
}

void Drucker::linie(double x1, double y1, double x2, double y2)
{
    ausgabe();
    linieZeichnen(x1 - scaleLeft, y1 - scaleTop, x2 - scaleLeft, y2 - scaleTop);
    currentX = x2;
    currentY = y2;
}

void Drucker::rechteck(double x1, double y1, double x2, double y2, bool gefuellt)
{
    ausgabe();
    rechteckZeichnen(x1 - scaleLeft, y1 - scaleTop, x2 - scaleLeft, y2 - scaleTop, gefuellt);
    currentX = x2;
    currentY = y2;
}

void Drucker::bild(const QString& datei, double x, double y, double breite, double hoehe)
{
    ausgabe();
    bildZeichnen(datei, x - scaleLeft, y - scaleTop, breite, hoehe);
}

// --- recording printer with fixed metrics ---

AufzeichnungsDruckerBasis::AufzeichnungsDruckerBasis(const QString& name) : m_name(name) {}

double AufzeichnungsDruckerBasis::seitenBreite() const
{
    return ausrichtung() == 2 ? m_papierHoehe : m_papierBreite;
}

double AufzeichnungsDruckerBasis::seitenHoehe() const
{
    return ausrichtung() == 2 ? m_papierBreite : m_papierHoehe;
}

void AufzeichnungsDruckerBasis::setPapier(double breite, double hoehe)
{
    if (breite > 0 && hoehe > 0) {
        m_papierBreite = std::min(breite, hoehe);
        m_papierHoehe = std::max(breite, hoehe);
    }
}

bool AufzeichnungsDruckerBasis::setPapierformat(double breite, double hoehe)
{
    if (!(breite > 0 && hoehe > 0))
        return false;
    m_papierBreite = breite;
    m_papierHoehe = hoehe;
    return true;
}

double AufzeichnungsDruckerBasis::textBreite(const QString& text) const
{
    if (!mehrzeilig(text))
        return zeilenBreite(text);
    double breite = 0.0;
    for (const QString& zeile : druckZeilen(text))
        breite = std::max(breite, zeilenBreite(zeile));
    return breite;
}

double AufzeichnungsDruckerBasis::textHoehe(const QString& text) const
{
    return double(mehrzeilig(text) ? druckZeilen(text).size() : 1) * zeilenHoehe();
}

double AufzeichnungsDruckerBasis::zeilenBreite(const QString& zeile) const
{
    // Average character widths: half the size for proportional fonts, 0.6 for
    // fixed-pitch ones; bold a little wider.
    constexpr double cmProPunkt = 2.54 / 72.0;
    const bool fest = schrift.name.contains(QLatin1String("Courier"), Qt::CaseInsensitive) ||
                      schrift.name.contains(QLatin1String("Mono"), Qt::CaseInsensitive);
    double zeichen = schrift.groesse * (fest ? 0.6 : 0.5) * cmProPunkt;
    if (schrift.fett && !fest)
        zeichen *= 1.1;
    return double(zeile.size()) * zeichen;
}

double AufzeichnungsDruckerBasis::zeilenHoehe() const
{
    return schrift.groesse * 1.15 * 2.54 / 72.0;
}

void AufzeichnungsDruckerBasis::ausgabeBeginnen()
{
    if (!m_imAuftrag) {
        m_seiten.clear();
        m_seiten.emplace_back();
        m_imAuftrag = true;
        m_titel = auftragsname();
        m_blatt = blattName(m_papierBreite, m_papierHoehe);
        m_quer = blattlage(m_papierBreite, m_papierHoehe, ausrichtung()).quer;
    }
}

void AufzeichnungsDruckerBasis::seiteWechseln()
{
    m_seiten.emplace_back();
}

bool AufzeichnungsDruckerBasis::auftragSenden()
{
    if (m_imAuftrag) {
        ++m_auftraege;
        m_imAuftrag = false;
    }
    return true;
}

void AufzeichnungsDruckerBasis::auftragVerwerfen()
{
    if (m_imAuftrag)
        ++m_abbrueche;
    m_imAuftrag = false;
    m_seiten.clear();
}

QStringList AufzeichnungsDruckerBasis::schriften() const
{
    return {QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("Times New Roman")};
}

int AufzeichnungsDruckerBasis::seitenNummer() const
{
    return m_imAuftrag ? int(m_seiten.size()) : 1;
}

void AufzeichnungsDruckerBasis::hinzufuegen(DruckOperation op)
{
    ausgabeBeginnen();
    op.schrift = schrift;
    m_seiten.back().operationen.push_back(std::move(op));
}

void AufzeichnungsDruckerBasis::textZeichnen(double x, double y, const QString& text)
{
    DruckOperation op;
    op.art = DruckOperation::Text;
    op.x = x;
    op.y = y;
    op.x2 = x + zeilenBreite(text);
    op.y2 = y + zeilenHoehe();
    op.text = text;
    op.farbe = schrift.farbe;
    hinzufuegen(std::move(op));
}

void AufzeichnungsDruckerBasis::linieZeichnen(double x1, double y1, double x2, double y2)
{
    DruckOperation op;
    op.art = DruckOperation::Linie;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.farbe = schrift.farbe;
    hinzufuegen(std::move(op));
}

void AufzeichnungsDruckerBasis::rechteckZeichnen(double x1, double y1, double x2, double y2, bool gefuellt)
{
    DruckOperation op;
    op.art = DruckOperation::Rechteck;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.gefuellt = gefuellt;
    op.farbe = schrift.farbe;
    hinzufuegen(std::move(op));
}

void AufzeichnungsDruckerBasis::bildZeichnen(const QString& datei, double x, double y, double breite, double hoehe)
{
    DruckOperation op;
    op.art = DruckOperation::Bild;
    op.x = x;
    op.y = y;
    op.x2 = x + breite;
    op.y2 = y + hoehe;
    op.text = datei;
    hinzufuegen(std::move(op));
}

// --- the current printer ---

namespace {
std::unique_ptr<Drucker>& aktuellerDrucker()
{
    static std::unique_ptr<Drucker> d;
    return d;
}
} // namespace

namespace {
class StandardVerzeichnis : public DruckerVerzeichnis
{
public:
    std::vector<DruckerInfo> drucker() const override { return {{QStringLiteral("Aufzeichnung"), QString()}}; }
    std::unique_ptr<Drucker> erzeugen(const QString& name) const override
    {
        if (name != QLatin1String("Aufzeichnung"))
            return nullptr;
        return std::make_unique<AufzeichnungsDruckerBasis>(name);
    }
};

DruckerVerzeichnis*& installiertesVerzeichnis()
{
    static DruckerVerzeichnis* v = nullptr;
    return v;
}
} // namespace

DruckerVerzeichnis& druckerVerzeichnis()
{
    static StandardVerzeichnis standard;
    DruckerVerzeichnis* v = installiertesVerzeichnis();
    return v ? *v : standard;
}

void druckerVerzeichnisSetzen(DruckerVerzeichnis* v)
{
    installiertesVerzeichnis() = v;
}

Drucker& drucker()
{
    std::unique_ptr<Drucker>& d = aktuellerDrucker();
    if (!d)
        d = std::make_unique<AufzeichnungsDruckerBasis>();
    return *d;
}

void druckerSetzen(std::unique_ptr<Drucker> d)
{
    aktuellerDrucker() = std::move(d);
}

} // namespace zplatform
