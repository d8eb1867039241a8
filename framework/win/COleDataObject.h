#pragma once
#include "framework/core/Platform.h"

#include "framework/win/OleTypes.h"

// The reading side of OLE data transfer: wraps the IDataObject of the clipboard or of a drop
// and answers whether a format is there and what its global memory holds.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Wraps lpDataObject; with bAutoRelease the wrapper releases it when done.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Wraps the data now on the OLE clipboard; FALSE when it cannot be read.
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject() const { return m_lpDataObject; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // A block of the format's data that the caller owns (GlobalFree), or nullptr.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;

private:
    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = FALSE;
};
