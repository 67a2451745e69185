// Ids of the toolkit's resources.
#pragma once

// Cursors (pictures in toolkit_cursors.txt, drawn at build time).
#define XTP_IDC_DRAGCOPY        9308    // arrow with a box holding a plus
#define XTP_IDC_DRAGMOVE        9309    // arrow with a dotted box
#define XTP_IDC_DRAGNONE        9311    // arrow with a barred circle
#define XTP_IDC_HSPLITBAR       9970    // two bars, arrows left and right
#define XTP_IDC_VSPLITBAR       9971    // two bars, arrows up and down
#define XTP_IDC_HAND            9973    // pointing hand, for systems without one
