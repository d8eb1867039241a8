#include "app/ItemTypes.h"

namespace {

// clang-format off
constexpr ItemTypeInfo kItemTypes[ItemTypeCount] = {
    {1, 229, "Table: %s"},
    {7, 237, "List: %s"},
    {9, 238, "Matrix: %s"},
    {5, 236, "Graph: %s"},
    {5, 235, "Data Graph: %s"},
    {10, 243, "%s"},
    {11, 243, "%s"},
    {15, 243, "User-defined %s"},
    {16, 243, "User-defined %s"},
    {17, 243, "User-defined %s"},
    {12, 243, "%s"},
    {13, 243, "Solver model: %s"},
    {15, 243, "Pre-defined %s"},
    {16, 243, "Pre-defined %s"},
    {17, 243, "Pre-defined %s"},
    {20, 239, "3D Graph: %s"},
};
// clang-format on

} // namespace

const ItemTypeInfo* GetItemTypeInfo(int kind)
{
    return kind >= 0 && kind < ItemTypeCount ? &kItemTypes[kind] : nullptr;
}

int GetItemTypeImage(int kind)
{
    const ItemTypeInfo* info = GetItemTypeInfo(kind);
    return info ? info->nImage : 0;
}

CString FormatItemCaption(int kind, const CString& label)
{
    const ItemTypeInfo* info = GetItemTypeInfo(kind);
    if (!info)
        return label;
    CString caption;
    caption.Format(info->pszCaption, label.GetString());
    return caption;
}

UINT GetConfirmBit(int kind)
{
    switch (kind) {
    case Item2DGraph:
        return 1;
    case ItemDataGraph:
        return 2;
    case ItemDataTable:
        return 4;
    case Item3DGraph:
        return 8;
    case ItemList:
        return 16;
    case ItemMatrix:
        return 32;
    default:
        return 0;
    }
}
