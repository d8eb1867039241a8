#pragma once
#include "framework/win/CDocument.h"

class CRichEditView;

// A document whose data includes the text of its rich-edit view. Serialize streams that text
// as RTF through the archive (to the end of the file when loading); the view's own edits count
// as modifications.
class CRichEditDoc : public CDocument {
    DECLARE_DYNAMIC(CRichEditDoc)
public:
    CRichEditView* GetView() const;

    void DeleteContents() override;
    void Serialize(CArchive& ar) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;

    BOOL m_bRTF = TRUE;
};
