#include "grid/GridNavigation.h"

namespace {

// i when it is a shown entry, else the first shown one after it, else before it.
int ShownNear(const CGridAxis& axis, int i)
{
    const int nAfter = axis.ShownFrom(i);
    if (nAfter >= 0)
        return nAfter;
    const int nBefore = axis.ShownUpTo(i);
    return nBefore >= 0 ? nBefore : i;
}

// -1 answers of the axis steps mean "stay".
int Or(int i, int nFallback) { return i >= 0 ? i : nFallback; }

GridMoveResult Wrap(const CGridAxis& rows, const CGridAxis& cols, CCellPos focus, BOOL bForward)
{
    GridMoveResult result;
    result.next = focus;
    const int nRow = bForward ? rows.NextShown(focus.row) : rows.PrevShown(focus.row);
    const int nCol = bForward ? cols.FirstNonFixedShown() : cols.ShownUpTo(cols.GetCount() - 1);
    if (nRow < 0 || nCol < 0) {
        result.bHandled = FALSE;
        return result;
    }
    result.next = CCellPos(nRow, nCol);
    result.bLineChange = TRUE;
    return result;
}

} // namespace

GridMoveResult GridMoveFocus(GridMove move, CCellPos focus, const CGridAxis& rows,
                             const CGridAxis& cols)
{
    GridMoveResult result;
    result.next = focus;
    CCellPos& next = result.next;
    switch (move) {
    case GridMove::Down:
        next.row = Or(rows.NextShown(focus.row), focus.row);
        break;
    case GridMove::Up:
        next.row = Or(rows.PrevShown(focus.row), focus.row);
        break;
    case GridMove::Right:
        next.col = Or(cols.NextShown(focus.col), focus.col);
        break;
    case GridMove::Left:
        next.col = Or(cols.PrevShown(focus.col), focus.col);
        break;
    case GridMove::Tab:
        if (cols.NextShown(focus.col) < 0)
            return Wrap(rows, cols, focus, TRUE);
        next.col = cols.NextShown(focus.col);
        break;
    case GridMove::BackTab:
        if (cols.PrevShown(focus.col) < 0)
            return Wrap(rows, cols, focus, FALSE);
        next.col = cols.PrevShown(focus.col);
        break;
    case GridMove::Home:
    case GridMove::CtrlHome: {
        const int nFirstRow = move == GridMove::CtrlHome ? rows.GetFixedCount() : focus.row;
        next.col = Or(cols.FirstNonFixedShown(), cols.GetFixedCount());
        next.row = Or(rows.ShownFrom(nFirstRow), ShownNear(rows, nFirstRow));
        break;
    }
    case GridMove::End:
    case GridMove::CtrlEnd: {
        const int nLastRow = move == GridMove::CtrlEnd ? rows.GetCount() - 1 : focus.row;
        next.col = Or(cols.ShownUpTo(cols.GetCount() - 1), cols.GetCount() - 1);
        next.row = Or(rows.ShownUpTo(nLastRow), ShownNear(rows, nLastRow));
        break;
    }
    }
    return result;
}
