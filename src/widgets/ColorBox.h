// A colour drop-down: the sixteen standard colours with their swatches, each item holding its
// colour value (0x00BBGGRR) as its data.
#pragma once

#include <cstdint>

class QComboBox;

void AddStandardColors(QComboBox* box);

// Selects the item of color; a colour outside the standard sixteen gets an item of its own
// ("$00BBGGRR"), so that what the box shows is what is kept.
void SelectColor(QComboBox* box, std::int32_t color);
