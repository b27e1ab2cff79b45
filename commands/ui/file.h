#pragma once
// The one file chooser of the program. It works on one folder and one
// extension that the caller fixes, in load or save mode, shows the full path,
// time stamp, age, size and description line of the selected file, and can
// rename and delete files of that folder (never the open address file).
//
// Calling protocol: set Bezeichnung (proposed name), Kuerzel (extension, with
// or without "."), Laden or Speichern, the folder (setPfad); exec(); read
// Bezeichnung: the full path of the chosen file, "" after a cancel. The one
// instance (instanz()) only hides itself and keeps its controls between uses.

#include "commands/dateiwahl.h"

#include <QDialog>
#include <QString>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace zbefehle {

class File : public QDialog
{
    Q_OBJECT
public:
    static File& instanz();

    // Sets the inputs, shows the chooser modally and returns the result.
    static QString waehlen(const DateiWahl& wahl);

    // Datei1.Path: the folder whose files are listed.
    QString pfad() const { return m_pfad; }
    void setPfad(const QString& ordner);

    QLabel* BezBezeichnung = nullptr;
    QLineEdit* Bezeichnung = nullptr;
    QLabel* Kuerzel = nullptr;
    QRadioButton* Laden = nullptr;
    QRadioButton* Speichern = nullptr;
    QListWidget* Datei1 = nullptr;
    QCheckBox* amEnde = nullptr;
    QLabel* bezAusschluss = nullptr;
    QLabel* BezHinweise = nullptr;
    QLabel* BezInfo = nullptr;
    QPushButton* BefOk = nullptr;
    QPushButton* befAbbrechen = nullptr;

    QMenuBar* menueLeiste = nullptr;
    QMenu* mnuDatei = nullptr;
    QAction* mnuOk = nullptr;
    QAction* befUmbennen = nullptr;
    QAction* BefLoeschen = nullptr;
    QAction* mnuAbbrechen = nullptr;

    // The handlers (public so that callers and tests can run them as the
    // menu does).
    void mnuOk_Click();
    void mnuAbbrechen_Click();
    void befUmbennen_Click();
    void befLoeschen_Click();
    void Datei1_Click();

    // The name without folder and extension as the name box shows it: a name
    // that ends with the extension loses it, any other name is cut at its
    // first ".".
    static QString Basisname(const QString& name, const QString& erweiterung);
    // The name box's text as a file name: every character of " *?\.,;:|^´`",
    // "/" and every control character becomes "_".
    static QString Name_Bereinigen(const QString& name);

    // The extension as the list uses it: with a leading "." and at most 4 characters.
    QString erweiterung() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit File(QWidget* parent = nullptr);
    void aufbau();
    void listeAuffrischen();
    // The hints while no file of the list is chosen: the folder and the
    // extension, and in save mode the name the file gets.
    void zielZeigen();
    void waehleEintrag(const QString& name);
    QString ordnerMitTrenner() const;
    bool speichernModus() const;
    bool istOffeneAdressdatei(const QString& pfad) const;
    // The selected file for rename or delete; "" after a message when nothing is
    // selected or the selection is the open address file (verb: "umbenannt"/"gelöscht").
    QString dateiFuerBefehl(const QString& keineAuswahl, const QString& titelKeine, const QString& verb,
                            const QString& titel);

    QString m_pfad;
    bool m_aufbauErledigt = false;
};

} // namespace zbefehle
