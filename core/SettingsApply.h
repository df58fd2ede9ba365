#pragma once

#include <QString>
#include <QStringList>

class TALL;

// Sets the values of a settings text, as the settings report writes it, on the image: each
// listed key through the same code as its window's save, in the text's order. Keys not listed
// keep their values, as do lists listed empty (a stored value no item shows); the values that
// are only shown are ignored; blank lines and lines starting
// with ';' or '#' are skipped. Returns the refused lines ("line 3: ..."): unknown sections, keys
// and values. The image may be partly changed when any is refused, so the caller keeps it only
// when none is.
QStringList ApplySettingsText(TALL& all, const QString& text);
