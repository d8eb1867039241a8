#pragma once
// The temporary-wrapper maps of each handle kind; AfxDeleteTempMaps empties them all.
void AfxDeleteTempWndMap();
void AfxDeleteTempMenuMap();
void AfxDeleteTempDCMap();
void AfxDeleteTempGdiMaps();
void AfxDeleteTempImageListMap();
