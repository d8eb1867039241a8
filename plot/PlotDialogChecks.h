#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

// The checks of the plot pages and dialogs, without windows: values in, verdict out. A
// verdict that fails names its message (a string resource, or a text) and the field the focus
// goes to; the first failing check of a form is its verdict.
struct FieldVerdict {
    UINT nStringId = 0; // the message's string resource, or 0 for strText
    CString strText;
    UINT nControl = 0; // 0 when the values pass

    BOOL Passed() const { return nControl == 0 && nStringId == 0 && strText.IsEmpty(); }
    static FieldVerdict Fail(UINT nStringId, UINT nControl)
    {
        return {nStringId, CString(), nControl};
    }
    static FieldVerdict FailText(const CString& text, UINT nControl) { return {0, text, nControl}; }
};

// ---- copy -----------------------------------------------------------------------------------

// Size choices of the copy dialog, in the order of its radio buttons.
enum PlotCopyChoice : int {
    CopyOnScreen = 0,
    CopyFullScreen,
    Copy640x480,
    Copy800x600,
    Copy1024x768,
    Copy1280x1024,
    Copy1600x1200,
    CopySpecified,
};
// A stored size (both above 0) opens the dialog on "Specify:", anything else on the window's.
int InitialCopyChoice(int storedWidth, int storedHeight);
// The size a choice copies: 0 x 0 for the window's, the screen's, a fixed one or the typed one.
CSize CopySizeOfChoice(int choice, CSize typed, CSize screen);
// Both fields 1 .. 9999, whatever the choice.
FieldVerdict CheckCopySize(int width, int height);

// ---- 2-D plot pages -------------------------------------------------------------------------

struct PlotPageValues {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    long long steps = 0;
    long long zoomFactor = 0;
};
// Ranges in order, steps 10 .. 10000 (the plots sample no fewer and no more), zoom factor >= 1.
FieldVerdict CheckPlotPage(const PlotPageValues& v);
// Both tick intervals above 0.
FieldVerdict CheckAxisPage(double xInterval, double yInterval);

// ---- 3-D plot page and 3-D graph dialog -----------------------------------------------------

struct Plot3DPageValues {
    double viewport = 80;
    long long views = 1;
    double deltaMu = 0;
};
// Viewport 1 .. 100 after truncation, views 1 .. 16, distance step in (-10, 1000].
FieldVerdict CheckPlot3DPage(const Plot3DPageValues& v);

struct Graph3DValues {
    CString expression; // trimmed
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0, zMin = 0, zMax = 0;
    double viewMu = 0, lightMu = 0;
};
// Ranges in order, both distances above 0 (what "Set As Default" checks).
FieldVerdict CheckGraph3DSettings(const Graph3DValues& v);
// The expression first (required, then the engine's surface check), then the settings.
FieldVerdict CheckGraph3D(const Graph3DValues& v);
// The resolution above which the first OK warns about memory.
constexpr int kHighResolution = 75;

// ---- 2-D graph dialog -----------------------------------------------------------------------

struct Graph2DValues {
    int form = 0;
    CString expression, xt, yt; // trimmed
    double dMin = 0, dMax = 0;
};
// The expressions of the form (required, then the engine's curve check), then the domain.
FieldVerdict CheckGraph2D(const Graph2DValues& v);
// The domain alone (what "Set As Default" checks).
FieldVerdict CheckGraph2DDomain(double dMin, double dMax);

// ---- analysis dialogs -----------------------------------------------------------------------

// What a graph command asks the chooser for; the kind picks the dialog and its title.
enum AnalysisKind : int {
    AnalysisDifferentiate = 0x1,
    AnalysisIntegrate = 0x2,
    AnalysisArea = 0x4,
    AnalysisIntersections = 0x8,
    AnalysisZeros = 0x10,
    AnalysisExtrema = 0x20,
    AnalysisValueTable = 0x40,
    AnalysisTangent = 0x80,
    AnalysisVolume = 0x100,
    AnalysisArcLength = 0x200,
    AnalysisSurfaceArea = 0x400,
    AnalysisCenterOfMass = 0x800,
    AnalysisGraph = 0x1000,
};
enum AnalysisDialog : int { DialogNone, DialogDifferentiate, DialogTwoCurve, DialogFunction };
AnalysisDialog AnalysisDialogOf(int kind);
// The dialog's caption for a kind; empty for a kind outside the table.
CString AnalysisTitle(int kind);
// The second curve's stand-in for the x-axis.
extern const char kXAxisText[];

struct AnalysisValues {
    int kind = 0;
    CString first, second; // trimmed
    double dMin = 0, dMax = 0;
    double steps = 0, accuracy = 0;
    CString tableName; // trimmed
};
// The function dialog's fields: the expression, the interval where a scan needs one, the steps
// (2 .. 10000 rows for a value table), the accuracy and a value table's name.
FieldVerdict CheckFunctionAnalysis(const AnalysisValues& v);
// The two-curve dialog's: both curves (the x-axis passes), different, the interval of a scan,
// the steps and the accuracy.
FieldVerdict CheckTwoCurveAnalysis(const AnalysisValues& v);
// The differentiate dialog's: the expression.
FieldVerdict CheckDifferentiate(const CString& expression);
