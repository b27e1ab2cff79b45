#pragma once
// The main window's resize rules and its close request, in twips (the form
// converts with zplatform::twipsZuPixel / pixelZuTwips, platform/ui/twips.h).
//
// How the main window wires it:
//
//   resizeEvent (and once in Einstellungen_Anwenden after the stored geometry):
//       MainLayout l = current rects of the controls below, in twips, relative
//                      to their parents (fields of Rahmen1 and Rahmen4 to the frame);
//       l = Form_Resize(l, outer width, outer height, inner width, inner height);  // twips
//       put every rect back (setGeometry), befZoom->setVisible(l.befZoomSichtbar).
//   closeEvent:
//       event->ignore();
//       switch (Form_QueryUnload(sitzung().NurLesen)) {
//       case SchliessAktion::OhneSichern:    PulAbbruch_Click(); break;   // quits without saving
//       case SchliessAktion::SichernUndEnde: pulEnde_Click(); break;      // saves (when changed) and exits
//       case SchliessAktion::Keine: break;                                // an exit runs already
//       }
//   (Both commands end the program themselves; closing never asks a question.
//   When the save fails, pulEnde_Click reports it and the window stays open.)

namespace zadressbuch {

struct Rechteck
{
    int links = 0, oben = 0, breite = 0, hoehe = 0;
    bool operator==(const Rechteck&) const = default;
};

// The controls the rules read or move. Positions inside a frame are relative
// to the frame. Design values as the window is built.
struct MainLayout
{
    Rechteck Liste{120, 5880, 9375, 450};
    Rechteck Rahmen0{120, 5160, 2415, 615};
    Rechteck Rahmen1{5640, 600, 3855, 2175};
    Rechteck Rahmen4{5640, 2880, 3855, 2895};
    // In Rahmen1: left column 7, 8, 14, right column 12, 13, 22, captions 240 above.
    Rechteck Feld7{120, 480, 1695, 285};
    Rechteck Feld8{120, 1080, 1695, 285};
    Rechteck Feld14{120, 1680, 1695, 285};
    Rechteck Feld12{1920, 480, 1695, 285};
    Rechteck Feld13{1920, 1080, 1695, 285};
    Rechteck Feld22{1920, 1680, 1695, 285};
    Rechteck Bez12{1920, 240, 1695, 240};
    Rechteck Bez13{1920, 840, 1695, 240};
    Rechteck Bez22{1920, 1440, 1695, 240};
    // In Rahmen4.
    Rechteck Feld20{1080, 240, 1215, 285};
    Rechteck Feld11{120, 720, 3615, 2055};
    Rechteck befZoom{3120, 270, 615, 255};
    bool befZoomSichtbar = true;
    Rechteck ProgressBar{120, 6480, 1485, 225};

    bool operator==(const MainLayout&) const = default;
};

// The resize rules. W, H: the window's outer width and height; IW, IH: its
// inner (client) width and height, all in twips.
//   W > 9000: the list, Rahmen4 and Rahmen1 widen with the window (the two
//     columns of Rahmen1 share its width), field 11 follows Rahmen4, the zoom
//     button sits at Rahmen4's right edge and shows only when its left exceeds
//     2.8 × the width of field 20; the progress bar takes the right half.
//   H > 6700: the list reaches from under Rahmen0 to 250 above the inner
//     bottom (never below height 0); the progress bar sits at the bottom.
// An assignment that would give a negative width or height is skipped.
MainLayout Form_Resize(const MainLayout& aktuell, int W, int H, int IW, int IH);

enum class SchliessAktion {
    Keine,          // an exit is already running: nothing more
    OhneSichern,    // read-only mode: the quit command
    SichernUndEnde  // the save-and-exit command
};

// The close request: never refused, never asks.
SchliessAktion Form_QueryUnload(bool nurLesen);

// Marks an exit in progress, so a close request that arrives while the exit
// runs (the exit closing the window) starts nothing more. pulEnde_Click and
// PulAbbruch_Click hold one while they run.
class BeendenLaeuft
{
public:
    BeendenLaeuft();
    ~BeendenLaeuft();
    BeendenLaeuft(const BeendenLaeuft&) = delete;
    BeendenLaeuft& operator=(const BeendenLaeuft&) = delete;
    static bool aktiv();
};

} // namespace zadressbuch
