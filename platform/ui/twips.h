#pragma once
// Twips (1/1440 inch), the unit form positions and sizes are stored in.
// At 96 dpi one pixel is 15 twips; other screens scale with their logical dpi.

namespace zplatform {

// With the logical dpi of the primary screen (96 when there is none).
int twipsZuPixel(double twips);
double pixelZuTwips(int px);

// With an explicit dpi.
int twipsZuPixel(double twips, double dpi);
double pixelZuTwips(int px, double dpi);

// The logical dpi used by the one-argument forms.
double bildschirmDpi();

} // namespace zplatform
