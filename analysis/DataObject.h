#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

class CArchive;
class CCalcEngine;

// Kind codes of a data object, stored with it.
enum DataObjectType : int {
    DataTypeTable = 0,
    DataTypeColumn = 2,
    DataTypeMatrix = 4,
};

// A named, stored data item of a project (table, list, matrix). The operations below answer with
// engine error codes; the base versions do nothing and succeed.
class CDataObject : public CObject {
public:
    CDataObject() = default;
    ~CDataObject() override = default;

    void SetName(const CString& name) { m_strName = name; }
    const CString& GetName() const { return m_strName; }
    int GetType() const { return m_nType; }
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL bModified = TRUE) { m_bModified = bModified; }
    BOOL IsEditable() const { return m_bEditable != 0; }
    void SetEditable(BOOL bEditable) { m_bEditable = bEditable ? 1 : 0; }

    // Name, type and editable flag; storing clears the modified mark.
    void Serialize(CArchive& ar) override;
    virtual int ComputeStatistics() { return 0; }
    // A transformed copy into *ppOut (or null); the argument is not used by any operation yet.
    virtual int CreateTransformed(double argument, int operation, CDataObject** ppOut);
    virtual int ApplyFunction(int id)
    {
        (void)id;
        return 0;
    }
    // Every value v replaced by the engine's parsed expression evaluated with x = v; nothing
    // changes unless every value succeeds.
    virtual int ApplyExpression(CCalcEngine& engine)
    {
        (void)engine;
        return 0;
    }
    // Order 0 ascending, 1 descending by the key column; NaN keys last, equal keys keep order.
    virtual int Sort(int order, int key)
    {
        (void)order;
        (void)key;
        return 0;
    }

protected:
    explicit CDataObject(int type) : m_nType(type) {}
    // The base fields read from ar, kept by the caller until its whole record has been read.
    struct StoredBase {
        CString strName;
        UINT nEditable = 1;
    };
    static StoredBase ReadBase(CArchive& ar);
    void WriteBase(CArchive& ar);
    void TakeBase(const StoredBase& base);

    int m_nType = DataTypeTable;
    CString m_strName;
    BOOL m_bModified = FALSE;
    int m_bEditable = 1;
};

// A 1-based vector of 32-bit integers for the fits (never stored beyond its base fields).
class CIndexVector : public CDataObject {
public:
    CIndexVector() = default;
    ~CIndexVector() override { Free(); }
    CIndexVector(const CIndexVector&) = delete;
    CIndexVector& operator=(const CIndexVector&) = delete;

    // Frees, then for n > 0 allocates elements 1..n; on failure the vector stays empty (FALSE).
    BOOL Allocate(int n);
    void Free();
    int GetLength() const { return m_nLength; }
    // Elements 1..length; null while empty.
    int* GetData() { return m_pData; }
    int& operator[](int i) { return m_pData[i]; }

private:
    int* m_pData = nullptr;
    int m_nLength = 0;
};
