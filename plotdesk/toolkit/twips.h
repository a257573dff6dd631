#pragma once
// Window positions and sizes are kept in twips (1/1440 inch). These convert
// between twips and logical pixels using the primary screen's logical dpi
// (15 twips to a pixel at 96 dpi, and 15 when there is no screen).

namespace plotdesk::toolkit {

double twipsPerPixelX();
double twipsPerPixelY();

// Rounded to the nearest pixel.
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);

double pixelsToTwipsX(double px);
double pixelsToTwipsY(double px);

}  // namespace plotdesk::toolkit
