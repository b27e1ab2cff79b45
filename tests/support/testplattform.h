#pragma once
// Test doubles shared by all test programs:
// - TestPlattform: scripted answers for message and input boxes, a fixed
//   clock, recorded boxes, sounds, started programs and opened links.
// - TempWurzel: a temporary ZETTLORA_ROOT with the windows, system, programm
//   temp and dokumente folders; restores the previous root when it goes.

#include "platform/plattform.h"

#include <QDateTime>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

class QEventLoop;

struct GezeigteMeldung
{
    QString text;
    int stil = 0;
    QString titel;
    int antwort = 0;
    bool mitHilfe = false;               // the box had a Help button
    QStringList hilfeGeoeffnet;          // what its Help button opened while the box stayed open
    bool vomProgrammGeschlossen = false; // left open, then closed by offeneBoxenSchliessen
    int schliessAntwort = 0;             // what closing it by the program answers (antwortBeimSchliessen)
};

struct GezeigteEingabe
{
    QString prompt;
    QString titel;
    QString vorgabe;
    QString antwort;
    bool mitHilfe = false;
    QStringList hilfeGeoeffnet;
    bool vomProgrammGeschlossen = false;
    bool pfad = false; // the box for a path or a file name (its letters stay)
};

class TestPlattform : public zplatform::Plattform
{
public:
    TestPlattform();
    ~TestPlattform() override;

    // Answers given in order; when none is queued a box gets its default button
    // and an input box its proposed text.
    QQueue<int> antworten;
    QQueue<QString> eingaben; // use the text "<abbruch>" for a cancelled input box
    // Queued before an answer (HilfeKnopf in antworten, "<hilfe>" in eingaben):
    // the box's Help button is pressed first, and the box then takes the next answer.
    static constexpr int HilfeKnopf = -1;
    // Queued as an answer (OffenLassen in antworten, "<offen>" in eingaben):
    // the box stays open as a person who has gone away leaves it. Its own
    // event loop runs, as a real box's does, until the program closes the
    // open boxes (offeneBoxenSchliessen): a message box then gets the answer
    // the desktop gives it (antwortBeimSchliessen), an input box is
    // cancelled. A box nobody closes takes its default answer after
    // offenHoechstensMs (vomProgrammGeschlossen stays false), so a test
    // cannot hang.
    static constexpr int OffenLassen = -2;
    int offenHoechstensMs = 5000;
    // The boxes open now (left open and not yet returned).
    int offeneBoxen() const { return int(m_offen.size()); }

    std::vector<GezeigteMeldung> meldungen;
    // Runs as each box comes, before it is answered: a test looks there at
    // what is on the screen behind the box.
    std::function<void(const GezeigteMeldung&)> beiMeldung;
    std::vector<GezeigteEingabe> eingabeBoxen;
    QStringList eingabePrompts;
    QStringList toene;
    QStringList gestarteteProgramme; // program + " " + arguments joined by blanks
    QStringList geoeffneteAdressen;
    QStringList papierkorb;
    QDateTime uhr = QDateTime(QDate(2000, 7, 2), QTime(10, 30, 0));
    QQueue<double> zufallszahlen; // empty: 0.5
    bool shift = false;
    bool ctrl = false;
    QString login = QStringLiteral("tester");

    int meldung(const QString& text, int stil, const QString& titel,
                zplatform::Schliessantwort schliessen = {}) override;
    QString eingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                    bool* abgebrochen = nullptr) override;
    int meldungMitHilfe(const QString& text, int stil, const QString& titel, const zplatform::HilfeAufruf& hilfe,
                        zplatform::Schliessantwort schliessen = {}) override;
    QString eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                            const zplatform::HilfeAufruf& hilfe, bool* abgebrochen = nullptr) override;
    QString pfadEingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                        bool* abgebrochen = nullptr) override;
    int offeneBoxenSchliessen() override;
    void ton(const QString& name) override;
    QDateTime jetzt() const override { return uhr; }
    double zufall() override;
    QString loginName() const override { return login; }
    QString rechnerName() const override { return QStringLiteral("testrechner"); }
    bool shiftGedrueckt() const override { return shift; }
    bool ctrlGedrueckt() const override { return ctrl; }
    bool hatAnzeige() const override { return true; }
    bool programmStarten(const QString& programm, const QStringList& argumente, const QString& arbeitsordner,
                         bool warten, int* exitCode) override;
    bool adresseOeffnen(const QString& url) override;
    // Notes the document, with "#" and the anchor when one is given.
    bool dokumentOeffnen(const QString& pfad, const QString& anker = QString()) override;
    bool inPapierkorb(const QString& pfad) override;
    // Pending events are not run in tests; a test may put a step here that
    // runs each time the program lets them run (a tick during a long walk).
    std::function<void()> beimVerarbeiten;
    void ereignisseVerarbeiten() override
    {
        if (beimVerarbeiten)
            beimVerarbeiten();
    }

    // The text of the last box shown ("" when none).
    QString letzteMeldung() const { return meldungen.empty() ? QString() : meldungen.back().text; }
    // The first box shown with that title (null when none).
    const GezeigteMeldung* meldungMitTitel(const QString& titel) const
    {
        for (const GezeigteMeldung& m : meldungen)
            if (m.titel == titel)
                return &m;
        return nullptr;
    }

private:
    struct OffeneBox
    {
        QEventLoop* schleife = nullptr;
        bool geschlossen = false;
    };
    // Keeps a box open in its own event loop; true when the program closed it.
    bool offenHalten();
    std::vector<OffeneBox> m_offen; // innermost last
};

class TempWurzel
{
public:
    TempWurzel();
    ~TempWurzel();
    QString wurzel() const { return m_dir.path(); }
    QString windows() const { return m_dir.path() + QStringLiteral("/windows"); }
    QString system() const { return m_dir.path() + QStringLiteral("/windows/system"); }
    QString programm() const { return m_dir.path() + QStringLiteral("/programm"); }
    QString temp() const { return m_dir.path() + QStringLiteral("/temp"); }
    QString dokumente() const { return m_dir.path() + QStringLiteral("/dokumente"); }
    // Writes a file (Windows-1252, text as given, no line ends added) below the root.
    void schreiben(const QString& relativ, const QString& text) const;
    // Reads a file below the root as Windows-1252 text ("" when missing).
    QString lesen(const QString& relativ) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_alt;
    bool m_hatteAlt = false;
};
