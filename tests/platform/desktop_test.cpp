#include "platform/ui/desktopplattform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace zplatform;

namespace {

// Runs `aktion` on the modal dialog once it is shown.
void wennOffen(std::function<void(QWidget*)> aktion)
{
    QTimer::singleShot(0, [aktion] {
        QWidget* w = QApplication::activeModalWidget();
        if (w)
            aktion(w);
        else
            wennOffen(aktion);
    });
}

QAbstractButton* knopf(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* b : box->buttons()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

} // namespace

TEST(Desktop, MeldungMitDeutschenKnoepfen)
{
    DesktopPlattform d;
    QStringList texte;
    QString titel, standard;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    wennOffen([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            texte << b->text();
        titel = box->windowTitle();
        standard = box->defaultButton() ? box->defaultButton()->text() : QString();
        symbol = box->icon();
        knopf(box, QStringLiteral("Nein"))->click();
    });
    EXPECT_EQ(
        d.meldung(QStringLiteral("Speichern?"), vbYesNoCancel | vbQuestion | vbDefaultButton2, QStringLiteral("Frage")),
        vbNo);
    texte.sort();
    EXPECT_EQ(texte, (QStringList{"Abbrechen", "Ja", "Nein"}));
    EXPECT_EQ(titel, QStringLiteral("Frage"));
    EXPECT_EQ(standard, QStringLiteral("Nein"));
    EXPECT_EQ(symbol, QMessageBox::Question);

    wennOffen([](QWidget* w) { knopf(qobject_cast<QMessageBox*>(w), QStringLiteral("Wiederholen"))->click(); });
    EXPECT_EQ(d.meldung(QStringLiteral("Fehler"), vbAbortRetryIgnore | vbCritical, QString()), vbRetry);

    // Escape answers Cancel.
    wennOffen([](QWidget* w) { qobject_cast<QMessageBox*>(w)->escapeButton()->click(); });
    EXPECT_EQ(d.meldung(QStringLiteral("Weiter?"), vbOKCancel, QString()), vbCancel);
}

TEST(Desktop, EingabeUndSanduhr)
{
    DesktopPlattform d;
    wennOffen([](QWidget* w) {
        auto* dlg = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->textValue(), QStringLiteral("Vorgabe"));
        dlg->setTextValue(QStringLiteral("Neu"));
        dlg->accept();
    });
    bool abbruch = true;
    EXPECT_EQ(d.eingabe(QStringLiteral("Name:"), QString(), QStringLiteral("Vorgabe"), &abbruch),
              QStringLiteral("Neu"));
    EXPECT_FALSE(abbruch);

    wennOffen([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(d.eingabe(QStringLiteral("Name:"), QString(), QStringLiteral("Vorgabe"), &abbruch), QString());
    EXPECT_TRUE(abbruch);

    d.sanduhr(true);
    d.sanduhr(true);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    d.sanduhr(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    d.sanduhr(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    d.zwischenablageSetzen(QStringLiteral("Zettel"));
    EXPECT_EQ(d.zwischenablage(), QStringLiteral("Zettel"));
    EXPECT_FALSE(d.adresseOeffnen(QStringLiteral("file:///etc/passwd")));
    d.ton(QStringLiteral("/gibt/es/nicht.wav")); // skipped silently
}
