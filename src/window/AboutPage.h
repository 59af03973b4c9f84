// The properties window's last page: the program picture on a black banner with a few lines
// about the program beside it, and below them how to use the program.
#pragma once

#include <QString>
#include <QWidget>

// The description shown on the page: 16 lines joined by "\n", trailing blanks kept, no
// final newline.
QString AboutText();

// Fills `page` with the banner `Panel1` (picture `Image3` and the contact lines) and the
// read-only description box `Memo1`.
void BuildAboutPage(QWidget* page);
