#pragma once
// The colour dialog of the program's forms: it shows the colour given and
// answers the colour chosen; F1 in it opens the help at the section of the
// form that opened it.

#include <QColor>
#include <QString>

class QWidget;

namespace zcommon {

// The chosen colour; an invalid colour when the dialog was cancelled.
QColor Farbe_Waehlen(const QColor& start, QWidget* form, const QString& titel);

} // namespace zcommon
