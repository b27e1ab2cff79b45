#pragma once
// The print-job protocol: how every print routine (envelope, list, personal
// sheet, payment forms) asks for the print options and prints.
//
//     zdruck::Druckauftrag auftrag(QStringLiteral("Zettlora_Nachnahme"),
//                                  QStringLiteral("Drucken - Zettlora Nachnahme"));
//     auftrag.anzahlSperren();          // the job prints one copy
//     auftrag.ausrichtungSperren();     // orientation as the preset says
//     if (!auftrag.abfragen(this))      // shows PrinterSet (or presses OK by
//         return;                       // itself in automatic mode); cancelled
//     zplatform::Drucker& d = auftrag.beginnen(); // hourglass, origin moved by the margins
//     ... draw on d / zplatform::drucker() (the same printer) ...
//     if (!auftrag.beenden())           // sends the document; a failure has
//         return;                       // been reported to the user
//
// abfragen(): unloads an earlier PrinterSet, sets DruckJobName() to the job's
// name, loads the dialog (which reads the job's preset from KontPrn.ini),
// sets its caption, disables what the job cannot use, shows it modally
// without waiting for the user when the preset is automatic, lets pending
// events run once and returns false after a cancel (nothing printed, the
// dialog unloaded). On OK the dialog has already made the chosen printer the
// current one and set its orientation; the margins and copies are read here.
//
// beginnen(): hourglass on; the print queue will show the job under the
// dialog's caption; with ursprungVerschieben (the default) the printer's
// origin moves by the margins (scale left = -randX(), scale top = -randY()),
// so that (0, 0) lies that far inside the printable area. Jobs that place the
// margins themselves pass false. From here to beenden() the job is a print
// run: every document the routine ends is a page of one job (one file on the
// PDF printer).
//
// beenden(): ends the printer document (the pages go out as one job, unless
// an outer run, such as a collection-file print, holds it open), hourglass
// off, dialog unloaded. When the printer reports a failure the user is told
// (the error report with the job's error text) and false comes back.
// abbrechen() drops the open document instead: nothing of it is sent. A
// Druckauftrag destroyed after beginnen() without either aborts the document.

#include "platform/drucker.h"

#include <QString>

class QWidget;

namespace zdruck {

class PrinterSet;

class Druckauftrag
{
public:
    // jobName: DruckJobName() of the job (the section of its preset);
    // titel: the dialog's caption; fehlerText: the text of the error report
    // when the printer fails ("" = "Es ist ein Fehler beim Drucken aufgetreten.").
    Druckauftrag(const QString& jobName, const QString& titel, const QString& fehlerText = QString());
    ~Druckauftrag();
    Druckauftrag(const Druckauftrag&) = delete;
    Druckauftrag& operator=(const Druckauftrag&) = delete;

    // Before abfragen(): the copies list disabled (one copy), the orientation
    // fixed to the preset's.
    void anzahlSperren() { m_anzahlSperren = true; }
    void ausrichtungSperren() { m_ausrichtungSperren = true; }

    // Shows the print options; false after a cancel.
    bool abfragen(QWidget* eltern = nullptr);

    // What the user chose (valid after abfragen() returned true).
    double randX() const { return m_randX; } // left margin, cm
    double randY() const { return m_randY; } // top margin, cm
    int kopien() const { return m_kopien; }  // 1 to 9
    bool hochformat() const { return m_hochformat; }
    // The dialog while it is loaded (between abfragen() and beenden()).
    PrinterSet* dialog() const;

    zplatform::Drucker& beginnen(bool ursprungVerschieben = true);
    bool beenden();
    void abbrechen();

    const QString& jobName() const { return m_jobName; }

private:
    void aufraeumen();
    void laufBeenden();

    QString m_jobName;
    QString m_titel;
    QString m_fehlerText;
    bool m_anzahlSperren = false;
    bool m_ausrichtungSperren = false;
    double m_randX = 0;
    double m_randY = 0;
    int m_kopien = 1;
    bool m_hochformat = true;
    bool m_begonnen = false;
    bool m_sanduhr = false;
    bool m_lauf = false; // the print run begun by beginnen()
};

} // namespace zdruck
