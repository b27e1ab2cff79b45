#pragma once
// Bringing the installed help documents up to date.
//
// The program folder receives the help document "Zettlora.html" and the
// product information "werbung.html" on the first start and keeps them from
// then on, so a later version would go on showing the older help (without the
// sections its F1 keys open). At every start an installed document is
// therefore replaced by the shipped one when the program itself installed it
// in an earlier version and nobody changed it since; a document the user wrote
// or changed is kept.
//
// "Installed by the program" is decided by content: the document's bytes are
// those of a version this program shipped (its SHA-256 stands in the list of
// shipped versions below). Each shipped document carries its version in a
// mark in its head, <meta name="generator" content="Zettlora-Hilfe N">; only a
// version lower than the shipped one is replaced, so an older program never
// takes back the document of a newer one. Whoever changes a shipped document
// raises the number in its mark and adds the new version to the list (a test
// checks that the shipped documents stand in it).

#include <QByteArray>
#include <QList>
#include <QString>

namespace zplatform {

// One version of a help document as the program shipped it.
struct HilfeStand
{
    QString datei;     // file name in the program folder
    int stand = 0;     // the number in its mark (versions before the mark: below the first mark's number)
    QByteArray sha256; // of its bytes, as hexadecimal digits
};

// Every version of the help documents the program ever shipped.
const QList<HilfeStand>& ausgelieferteHilfeStaende();

// The number in the document's mark, 0 when it has none.
int hilfeStandLesen(const QByteArray& dokument);

// Brings the help documents of the folder ziel up to date from the shipped
// ones in quelle, by the rule above, with the given list of shipped versions.
// A replacement is written through a temporary copy and renamed into place, so
// a failed write leaves the old document as it was. Returns false when a
// document that was due could not be replaced.
bool hilfeDokumenteAuffrischen(const QString& quelle, const QString& ziel, const QList<HilfeStand>& bekannt);
// The same with every version the program shipped.
bool hilfeDokumenteAuffrischen(const QString& quelle, const QString& ziel);

} // namespace zplatform
