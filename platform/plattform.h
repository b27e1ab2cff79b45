#pragma once
// The layer that stands in for the operating system's user-facing services:
// message and input boxes, sounds, clock, random numbers, keyboard state,
// screen, starting programs, opening links, the trash and the clipboard.
//
// Everything the program asks of the desktop goes through the one installed
// Plattform object, so tests can script answers and read back what was shown.
// The headless default answers every box with its default button; the form
// library installs the real desktop implementation at start-up.

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zplatform {

// Results of a message box, as the program has always numbered them.
enum MsgErgebnis : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Style bits of a message box: buttons + icon + default button.
enum MsgStil : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The result the default button of a box with that style gives.
int standardAntwort(int stil);
// The answer a box of that style gets when the program closes it with nobody
// there to answer, never "Ja": OK only gives OK, Yes/No gives No, a box with
// Cancel gives Cancel, Abort/Retry/Ignore gives Abort. (A person's Esc or
// close box answers only a box with Cancel or with OK alone.)
int sichereAntwort(int stil);

// The answer that changes nothing, for a box the program closes with nobody
// there to answer (offeneBoxenSchliessen: a termination signal, the idle
// exit). The caller names it where the buttons alone do not tell, as for a
// question whose "Nein" takes something over or writes a setting. Not named,
// or naming a button the box does not have: the box's sichereAntwort.
using Schliessantwort = std::optional<MsgErgebnis>;
// The answer a box of that style gets when the program closes it.
int antwortBeimSchliessen(int stil, Schliessantwort schliessen = {});

// What the Help button of a message or input box does: it opens the help at
// the box's topic. The box stays open and waits for its answer.
using HilfeAufruf = std::function<void()>;

class Plattform
{
public:
    virtual ~Plattform() = default;

    // Message box; "~" in the text has already been turned into line breaks
    // by the caller when it wants that. Returns one of MsgErgebnis; a box the
    // program closes (offeneBoxenSchliessen) returns antwortBeimSchliessen.
    virtual int meldung(const QString& text, int stil, const QString& titel, Schliessantwort schliessen = {});
    // Input box; cancel gives an empty text and *abgebrochen = true.
    virtual QString eingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                            bool* abgebrochen = nullptr);
    // The same boxes with a Help button beside the others (F1 presses it too);
    // an empty hilfe gives the plain box. Without a person to press it, the
    // box is answered as the plain one.
    virtual int meldungMitHilfe(const QString& text, int stil, const QString& titel, const HilfeAufruf& hilfe,
                                Schliessantwort schliessen = {});
    virtual QString eingabeMitHilfe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                    const HilfeAufruf& hilfe, bool* abgebrochen = nullptr);
    // The input box for a path or a file name: what is typed or pasted there
    // keeps its letters, where every other box keeps what Windows-1252 holds.
    // Without a person it is answered as the plain one.
    virtual QString pfadEingabe(const QString& prompt, const QString& titel, const QString& vorgabe,
                                bool* abgebrochen = nullptr);
    // Closes every message and input box that waits for an answer now: a
    // message box with the answer that changes nothing (antwortBeimSchliessen
    // of its style and the answer its caller named), an input box cancelled. Each
    // caller gets its answer once its box's event loop has returned. Returns
    // how many boxes it closed (a box closed before and not yet returned
    // counts no more). The headless default never has a box open.
    virtual int offeneBoxenSchliessen();
    // A named sound: "#SystemHand", "#SystemQuestion", "#SystemExclamation",
    // "#SystemAsterisk" (the desktop's beep), or the path of a wave file.
    virtual void ton(const QString& name);

    virtual QDateTime jetzt() const;     // the clock
    virtual double zufall();             // uniform in [0, 1)
    virtual QString loginName() const;   // the login user, "" when unknown
    virtual QString rechnerName() const; // the computer's name
    virtual bool shiftGedrueckt() const; // keyboard state
    virtual bool ctrlGedrueckt() const;
    virtual QSize bildschirmGroesse() const; // pixels
    virtual int farbtiefe() const;           // bits per pixel
    virtual double logischeDpi() const;      // 96 on a standard screen
    virtual bool hatAnzeige() const;         // false when no box can be shown to a person

    // Starts a program with an argument list (never through a shell). With
    // warten the call returns when the program has ended; *exitCode gets its code.
    virtual bool programmStarten(const QString& programm, const QStringList& argumente,
                                 const QString& arbeitsordner = QString(), bool warten = false,
                                 int* exitCode = nullptr);
    // Opens an http, https, mailto or tel address with the desktop; anything else is refused (false).
    virtual bool adresseOeffnen(const QString& url);
    // Opens a local document (help page) with the desktop, at the anchor
    // (a section of an HTML document; "" its start); an HTML document shows
    // in a window of the program when no browser can show it, in front of the
    // window that asked for it and usable while that window is modal.
    virtual bool dokumentOeffnen(const QString& pfad, const QString& anker = QString());
    // Moves a file to the desktop's trash; false when the trash cannot take it.
    virtual bool inPapierkorb(const QString& pfad);

    virtual QString zwischenablage() const;
    virtual void zwischenablageSetzen(const QString& text);

    // Lets pending events run (the form library installs the event loop's version).
    virtual void ereignisseVerarbeiten();
    // Hourglass pointer on (true) or off.
    virtual void sanduhr(bool an);

protected:
    QString m_zwischenablage;
};

// The installed platform; never null (a headless default is there from the start).
Plattform& plattform();
// Installs p (not owned); nullptr puts the headless default back.
void plattformSetzen(Plattform* p);

// True for the http, https, mailto and tel (digits, "+" first) addresses that may be handed to the desktop.
bool adresseErlaubt(const QString& url);

} // namespace zplatform
