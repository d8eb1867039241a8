#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <exception>
#include <string>

// The framework's exceptions. The one rule: throw them BY VALUE and catch them by const
// reference, e.g. `throw CArchiveException(CArchiveException::endOfFile, path);` and
// `catch (const CArchiveException& e)`. Never new or delete an exception object.
// Each carries a cause code (m_cause) and a text a message box can show (GetErrorMessage).

class CException : public std::exception {
public:
    ~CException() override = default;

    // Copies the text for the user into lpszError (at most nMaxError bytes with the terminator).
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 UINT* pnHelpContext = nullptr) const;
    CString GetErrorMessage() const { return m_text; }
    const char* what() const noexcept override { return m_text.GetString(); }

protected:
    explicit CException(CString text) : m_text(std::move(text)) {}

private:
    CString m_text;
};

class CArchiveException : public CException {
public:
    enum {
        none,
        genericException, // bytes that do not form the expected primitives
        readOnly,         // storing into an archive opened for loading
        endOfFile,        // a read past the end, or a length or count beyond the bytes left
        writeOnly,        // loading from an archive opened for storing
        badIndex,
        badClass,
        badSchema,
    };

    explicit CArchiveException(int cause = none, const char* lpszArchiveName = nullptr);

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1,
                            const char* lpszFileName = nullptr);

    // The cause that matches a C runtime errno value.
    static int ErrnoToCause(int nErrno);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CMemoryException : public CException {
public:
    CMemoryException();
    int m_cause = 0;
};

class CResourceException : public CException {
public:
    explicit CResourceException(const char* lpszWhat = nullptr);
    int m_cause = 0;
};
