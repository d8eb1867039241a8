#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

#include <functional>
#include <vector>

// The workspace reads at most this many characters of a line; a longer line is never
// evaluated (it gets kLineTooLongText in the tip).
constexpr int kMaxWorkspaceLine = 1000;
extern const char kLineTooLongText[];

// Characters that end a name in the workspace.
extern const char kWorkspaceDelimiters[];
// A name longer than this is cut for its lookup.
constexpr int kMaxWorkspaceWord = 100;

// The name around a character of a line: start is the index of the delimiter before it (-1 at
// the line's start), end the index after its last character.
struct WorkspaceWord {
    CString text;
    int nStart = -1;
    int nEnd = 0;
};

// The word that holds line[position] (the character just typed) and runs on to its right.
// A delimiter there, or a position outside the line (-1: the caret at the line's start),
// gives an empty word.
WorkspaceWord GetWordAt(const CString& line, int position);

// The longest line that pasting text makes, where before characters of the line stand before
// the selection and after characters after it.
int LongestPastedLine(const CString& text, int before, int after);

// The first character that is not a blank or a tab is an apostrophe.
bool IsCommentLine(const CString& line);

// The kind of a comment line's span in TypedLineColours (the others are NameKinds).
constexpr int kCommentLineKind = -1;

// A span [nStart, nEnd) of a line and the kind of text it is.
struct TypedColourSpan {
    int nStart;
    int nEnd;
    int kind;
};

// The coloured spans a line keeps once it is typed from an empty line: a comment line is one
// span; otherwise each name that kindOfWord knows (a NameKind other than NameUnknown) is a span
// and the rest keeps the default colour. As typing does, it looks only at the first
// kMaxWorkspaceLine characters and looks a name up by its first kMaxWorkspaceWord.
std::vector<TypedColourSpan> TypedLineColours(const CString& line,
                                              const std::function<int(const CString&)>& kindOfWord);

// "(" counts +1 and ")" -1 over the whole line.
int ParenthesisBalance(const CString& line);

// Bits of the workspace's pop-up options: which kinds of name raise a tip while typing.
enum PopupOption : unsigned {
    PopupBuiltinFunctions = 0x01,
    PopupBuiltinConstants = 0x02,
    PopupUserFunctions = 0x04,
    PopupUserConstants = 0x08,
    PopupVariables = 0x10,
    PopupAll = 0x1F,
};

// What a typed name does to the tip window.
struct TipDecision {
    enum Action { Leave, Hide, Show } action = Leave;
    CString text; // what Show shows
};

// From the engine's description of a name (its NameKind, text and argument count) and the
// workspace's options: functions of fewer than two arguments raise their tip only when
// bAllFunctions is set; variables show " = " and their value or quoted text.
TipDecision DecideTip(int kind, const CString& described, int argumentCount, unsigned options,
                      int bAllFunctions);

// The screen corner of a tip of the given size that belongs to a line of text: below is the
// point under the line, lineTop the line's top. The tip moves left to end inside the work area,
// goes above the line when it would cross the work area's bottom, and never starts left of or
// above the work area.
CPoint PlaceTip(CPoint below, int lineTop, CSize size, const CRect& workArea);
