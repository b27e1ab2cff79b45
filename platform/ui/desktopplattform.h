#pragma once
// The desktop implementation of the platform layer: real message and input
// boxes with German buttons, the desktop's beep and wave files, keyboard
// state, screen, links, clipboard and the hourglass pointer.

#include "platform/plattform.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

namespace zplatform {

class DesktopPlattform : public Plattform
{
public:
    int meldung(const QString& text, int stil, const QString& titel, Schliessantwort schliessen = {}) override;
    QString eingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                    bool* abgebrochen = nullptr) override;
    int meldungMitHilfe(const QString& text, int stil, const QString& titel, const HilfeAufruf& hilfe,
                        Schliessantwort schliessen = {}) override;
    QString eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                            const HilfeAufruf& hilfe, bool* abgebrochen = nullptr) override;
    QString pfadEingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                        bool* abgebrochen = nullptr) override;
    int offeneBoxenSchliessen() override;
    void ton(const QString& name) override;

    bool shiftGedrueckt() const override;
    bool ctrlGedrueckt() const override;
    QSize bildschirmGroesse() const override;
    int farbtiefe() const override;
    double logischeDpi() const override;
    bool hatAnzeige() const override;

    bool adresseOeffnen(const QString& url) override;
    bool dokumentOeffnen(const QString& pfad, const QString& anker = QString()) override;
    // The desktop openers of HTML documents that have not ended yet (a test
    // waits for them before it looks whether the program's window came up).
    static int oeffnerLaufend();

    QString zwischenablage() const override;
    void zwischenablageSetzen(const QString& text) override;

    void ereignisseVerarbeiten() override;
    void sanduhr(bool an) override;

private:
    // A box waiting in its exec(), with the step that answers it safely.
    struct OffeneBox
    {
        QPointer<QDialog> box;
        std::function<void()> schliessen;
        bool geschlossen = false;
    };
    // Shows the box modally as one of the open boxes; its exec() result.
    int boxZeigen(QDialog& box, std::function<void()> schliessen);
    // An input box; with pfad its text keeps its letters.
    QString eingabeBox(const QString& prompt, const QString& titel, const QString& vorgabe, const HilfeAufruf& hilfe,
                       bool* abgebrochen, bool pfad);

    bool m_sanduhr = false;
    std::vector<OffeneBox> m_offen; // innermost last
};

// The program's title, used when a box is given none.
QString programmTitel();

// Installs the desktop platform and the system's default printer (the
// virtual printer "PDF" when the system has none) for the rest of the run.
void desktopEinrichten();

} // namespace zplatform
