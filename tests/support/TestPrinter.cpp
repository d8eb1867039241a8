#include "tests/support/TestPrinter.h"

#include "framework/win/CDC.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CView.h"

#include <winspool.h>

#include <fstream>
#include <sstream>

const char kTestPrinter[] = "Zivra Test Printer";
const char kSecondTestPrinter[] = "Zivra Second Test Printer";

namespace {

const char kDriver[] = "Zivra Test PostScript";

// Writes the generic printer description that Wine's spooler carries as a resource into the
// printer-driver folder; the path, or empty on failure.
std::string WriteDescription()
{
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir),
                                      sizeof dir, &needed))
        return std::string();
    HMODULE hSpooler = ::LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC hRes = hSpooler ? ::FindResourceA(hSpooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    const void* pData = hRes ? ::LockResource(::LoadResource(hSpooler, hRes)) : nullptr;
    if (!pData)
        return std::string();
    ::CreateDirectoryA(dir, nullptr);
    const std::string path = std::string(dir) + "\\zivra-test.ppd";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(pData), std::streamsize(::SizeofResource(hSpooler, hRes)));
    return out ? path : std::string();
}

BOOL AddTestPrinter(const char* name)
{
    HANDLE hPrinter = nullptr;
    if (::OpenPrinterA(const_cast<char*>(name), &hPrinter, nullptr)) {
        ::ClosePrinter(hPrinter);
        return TRUE;
    }
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name);
    info.pPortName = const_cast<char*>("FILE:");
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("winprint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    hPrinter = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (!hPrinter)
        return FALSE;
    ::ClosePrinter(hPrinter);
    return TRUE;
}

} // namespace

BOOL InstallTestPrinters()
{
    const std::string description = WriteDescription();
    if (description.empty())
        return FALSE;
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>(description.c_str());
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    if (!::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver)) &&
        ::GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return FALSE;
    return AddTestPrinter(kTestPrinter) && AddTestPrinter(kSecondTestPrinter) &&
           ::SetDefaultPrinterA(kTestPrinter);
}

void RemoveTestPrinters()
{
    for (const char* name : {kTestPrinter, kSecondTestPrinter}) {
        HANDLE hPrinter = nullptr;
        PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (::OpenPrinterA(const_cast<char*>(name), &hPrinter, &access)) {
            ::DeletePrinter(hPrinter);
            ::ClosePrinter(hPrinter);
        }
    }
}

int CountPostScriptPages(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return -1;
    int pages = 0;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("%%Page:", 0) == 0)
            ++pages;
    return pages;
}

std::string PostScriptTitle(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("%%Title: ", 0) == 0) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.pop_back();
            return line.substr(9);
        }
    return std::string();
}

std::vector<MetafileText> PrintedPageTexts(CView& view, CDC& printer, CPrintInfo& info, UINT nPage)
{
    CMetaFileDC meta;
    meta.CreateEnhanced(&printer, nullptr, nullptr, nullptr);
    meta.m_bPrinting = TRUE;
    info.m_nCurPage = nPage;
    view.OnPrint(&meta, &info);
    HENHMETAFILE hMeta = meta.CloseEnhanced();
    std::vector<MetafileText> texts = ReadMetafileTexts(hMeta);
    ::DeleteEnhMetaFile(hMeta);
    return texts;
}
