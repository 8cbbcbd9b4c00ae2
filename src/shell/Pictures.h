#pragma once
// The program's own pictures, drawn in code: the presentation picture and
// the pictograms of the picture buttons.

#include <QIcon>
#include <QImage>

namespace yb::pictures {

QImage presentation(); // 640 x 480, 256 colours
QIcon orderSheet();    // a form with tick boxes
QIcon catalogue();     // a closed book
QIcon notes();         // a written page
QIcon about();         // "i" in a circle
QIcon help();          // "?" in a circle
QIcon exitDoor();      // an open door with an arrow
QIcon back();          // arrow pointing left
QIcon print();         // a printer
QIcon yes();           // a tick: leave the program
QIcon no();            // a curved arrow back: stay
QIcon search();        // a magnifying glass: the search buttons
QIcon list();          // a list of names: the list buttons

} // namespace yb::pictures
