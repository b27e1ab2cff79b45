#include "addressbook/ui/kartenform.h"

#include "addressbook/datensatz.h"
#include "addressbook/sitzung.h"
#include "addressbook/ui/kartenfeld.h"
#include "addressbook/ui/main_intern.h"

#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace zadressbuch {

using intern::platzieren;

bool Karte::istGesperrtesFeld(int i)
{
    return i == ErstelltAm || i == GeaendertAm || i == Index;
}

Karte::Karte(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Karte"));
    // It covers the client area, whatever size that takes.
    if (parent) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
    const int H = 285; // height of a one-line field

    // Created in the order the tab key walks through the card.
    QGroupBox* anschrift = rahmenAnlegen(3, QStringLiteral("Anschrift"), 120, 600, 5415, 2775);
    feldAnlegen(Anrede, anschrift, 120, 480, 2520, H, 120, 240, 2520);
    feldAnlegen(Zusatz, anschrift, 2760, 480, 2535, H, 2760, 240, 2535);
    feldAnlegen(Nachname, anschrift, 120, 1080, 2520, H, 120, 840, 2520);
    feldAnlegen(Vorname, anschrift, 2760, 1080, 2535, H, 2760, 840, 2535);
    feldAnlegen(Strasse, anschrift, 120, 1680, 5175, H, 120, 1440, 5175);
    feldAnlegen(Plz, anschrift, 120, 2280, 975, H, 120, 2040, 975);
    feldAnlegen(Ort, anschrift, 1200, 2280, 2760, H, 1200, 2040, 2760);
    feldAnlegen(Land, anschrift, 4080, 2280, 1215, H, 4080, 2040, 1215);

    QGroupBox* rufnummern = rahmenAnlegen(1, QStringLiteral("Rufnummern"), 5640, 600, 3855, 2175);
    const int spalte = (3855 - 360) / 2;
    const int links[2] = {120, 1920};
    const int felder[2][3] = {{Telefon, Telefax, EMail}, {Mobiltelefon, Datentelefon, Www}};
    const int oben[3] = {480, 1080, 1680};
    for (int z = 0; z < 3; ++z)
        for (int s = 0; s < 2; ++s)
            feldAnlegen(felder[s][z], rufnummern, links[s], oben[z], spalte, H, links[s], oben[z] - 240, spalte);

    QGroupBox* bemerkungen = rahmenAnlegen(4, QStringLiteral("Bemerkungen"), 5640, 2880, 3855, 2895);
    feldAnlegen(Geburtstag, bemerkungen, 1080, 240, 1215, H, 120, 270, 945);
    bezInfo2 = new QLabel(bemerkungen);
    bezInfo2->setObjectName(QStringLiteral("bezInfo2_20"));
    platzieren(bezInfo2, 2400, 240, 1335, 375);
    befZoom = new QPushButton(QStringLiteral("zoom"), bemerkungen);
    befZoom->setObjectName(QStringLiteral("befZoom"));
    befZoom->setToolTip(QStringLiteral("Eingabe-Feld vergrößern"));
    befZoom->setFocusPolicy(Qt::NoFocus);
    platzieren(befZoom, 3120, 270, 615, 255);
    befZoom->hide(); // shown by the layout once the frame is wide enough
    connect(befZoom, &QPushButton::clicked, this, &Karte::zoomGeklickt);
    feldAnlegen(Bemerkung, bemerkungen, 120, 720, 3615, 2055, 120, 480, 2000);
    m_bezeichnungen[Bemerkung]->hide(); // the frame's caption names the field

    QGroupBox* sonstiges = rahmenAnlegen(2, QStringLiteral("Sonstiges"), 120, 3480, 2415, 1575);
    feldAnlegen(Rubrik, sonstiges, 120, 480, 2175, H, 120, 240, 2175);
    feldAnlegen(FuerUser, sonstiges, 120, 1080, 2175, H, 120, 840, 2175);

    QGroupBox* bank = rahmenAnlegen(6, QStringLiteral("Bankverbindung"), 2640, 3480, 2895, 1575);
    feldAnlegen(Kontonummer, bank, 120, 480, 1275, H, 120, 240, 1275);
    feldAnlegen(Bankleitzahl, bank, 1500, 480, 1275, H, 1500, 240, 1275);
    feldAnlegen(Kreditinstitut, bank, 120, 1080, 2655, H, 120, 840, 2655);

    // The dates below the card, with their day counters.
    feldAnlegen(ErstelltAm, this, 3720, 5280, 975, 225, 2760, 5280, 945);
    feldAnlegen(GeaendertAm, this, 3720, 5520, 975, 225, 2760, 5520, 945);
    bezZeit1 = new QLabel(this);
    bezZeit1->setObjectName(QStringLiteral("bezZeit1"));
    platzieren(bezZeit1, 4755, 5280, 870, 225);
    bezZeit2 = new QLabel(this);
    bezZeit2->setObjectName(QStringLiteral("bezZeit2"));
    platzieren(bezZeit2, 4755, 5520, 870, 225);

    // The index field is not shown: the status bar shows its number.
    feldAnlegen(Index, this, 8760, 240, 975, 225, 8760, 0, 975);
    m_zeilen[Index]->hide();
    m_bezeichnungen[Index]->hide();
}

bool Karte::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == parent() && ereignis->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget*>(objekt)->rect());
    return false;
}

QGroupBox* Karte::rahmenAnlegen(int n, const QString& titel, int links, int oben, int breite, int hoehe)
{
    auto* r = new QGroupBox(titel, this);
    r->setObjectName(QStringLiteral("Rahmen%1").arg(n));
    platzieren(r, links, oben, breite, hoehe);
    m_rahmen[n] = r;
    return r;
}

void Karte::feldAnlegen(int i, QWidget* rahmen, int links, int oben, int breite, int hoehe, int bezLinks, int bezOben,
                        int bezBreite)
{
    QWidget* feld = nullptr;
    if (i == Bemerkung) {
        m_bemerkung = new KartenText(i, rahmen);
        QFont mono(QStringLiteral("Courier New"));
        mono.setStyleHint(QFont::TypeWriter);
        mono.setFixedPitch(true);
        mono.setPointSizeF(9);
        m_bemerkung->setFont(mono);
        m_bemerkung->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_bemerkung->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_bemerkung->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        connect(m_bemerkung, &QPlainTextEdit::textChanged, this, [this, i] { Q_EMIT feldGeaendert(i); });
        m_bemerkung->rueckrufe.doppelklick = [this, i] { Q_EMIT feldDoppelklick(i); };
        m_bemerkung->rueckrufe.ohneTaste = [this, i] { Q_EMIT feldOhneTaste(i); };
        m_bemerkung->rueckrufe.angepasst = [this, i](const Einpassung& e) {
            Q_EMIT feldAngepasst(i, Karteneingabe_Hinweis(e, sitzung().Bezeichnungen[size_t(i)]));
        };
        m_bemerkung->rueckrufe.kontextmenue = [this, i](const QPoint& p) { Q_EMIT feldKontextmenue(i, p); };
        feld = m_bemerkung;
    } else {
        auto* zeile = new KartenZeile(i, rahmen);
        connect(zeile, &QLineEdit::textChanged, this, [this, i] { Q_EMIT feldGeaendert(i); });
        zeile->rueckrufe.doppelklick = [this, i] { Q_EMIT feldDoppelklick(i); };
        zeile->rueckrufe.ohneTaste = [this, i] { Q_EMIT feldOhneTaste(i); };
        zeile->rueckrufe.angepasst = [this, i](const Einpassung& e) {
            Q_EMIT feldAngepasst(i, Karteneingabe_Hinweis(e, sitzung().Bezeichnungen[size_t(i)]));
        };
        zeile->rueckrufe.kontextmenue = [this, i](const QPoint& p) { Q_EMIT feldKontextmenue(i, p); };
        m_zeilen[i] = zeile;
        feld = zeile;
    }
    platzieren(feld, links, oben, breite, hoehe);

    auto* bez = new QLabel(sitzung().Bezeichnungen[i], rahmen);
    bez->setObjectName(QStringLiteral("Bezeichnung1_%1").arg(i));
    bez->setBuddy(feld);
    platzieren(bez, bezLinks, bezOben, bezBreite, 225);
    m_bezeichnungen[i] = bez;

    if (istGesperrtesFeld(i)) {
        feld->setFocusPolicy(Qt::ClickFocus);
        setFeldGesperrt(i, true);
    }
}

QWidget* Karte::Feld(int i) const
{
    if (i < 0 || i >= FeldAnzahl)
        return nullptr;
    if (i == Bemerkung)
        return m_bemerkung;
    return m_zeilen[i];
}

KartenZeile* Karte::Zeile(int i) const
{
    return i >= 0 && i < FeldAnzahl ? m_zeilen[i] : nullptr;
}

QString Karte::FeldText(int i) const
{
    if (i == Bemerkung)
        return m_bemerkung->text();
    if (i < 0 || i >= FeldAnzahl)
        return QString();
    return m_zeilen[i]->text();
}

void Karte::setFeldText(int i, const QString& text)
{
    if (i == Bemerkung)
        m_bemerkung->textSetzen(text);
    else if (i >= 0 && i < FeldAnzahl)
        m_zeilen[i]->textSetzen(text);
}

QString Karte::FeldSelText(int i) const
{
    if (i == Bemerkung)
        return m_bemerkung->selectedText();
    if (i < 0 || i >= FeldAnzahl)
        return QString();
    return m_zeilen[i]->selectedText();
}

int Karte::FeldEingabegrenze(int i) const
{
    if (i == Bemerkung)
        return m_bemerkung->eingabegrenze();
    if (i < 0 || i >= FeldAnzahl)
        return 0;
    return m_zeilen[i]->eingabegrenze();
}

void Karte::setBemerkungsgrenze(int grenze)
{
    m_bemerkung->setEingabegrenze(grenze);
}

void Karte::setFeldGesperrt(int i, bool gesperrt)
{
    if (i == Bemerkung)
        m_bemerkung->setReadOnly(gesperrt);
    else if (i >= 0 && i < FeldAnzahl)
        m_zeilen[i]->setReadOnly(gesperrt);
}

QLabel* Karte::Bezeichnung1(int i) const
{
    return i >= 0 && i < FeldAnzahl ? m_bezeichnungen[i] : nullptr;
}

QGroupBox* Karte::Rahmen(int n) const
{
    return n >= 0 && n < 7 ? m_rahmen[n] : nullptr;
}

int Karte::feldNummer(const QObject* objekt) const
{
    if (!objekt)
        return -1;
    if (objekt == m_bemerkung)
        return Bemerkung;
    for (int i = 0; i < FeldAnzahl; ++i)
        if (m_zeilen[i] == objekt)
            return i;
    return -1;
}

} // namespace zadressbuch
