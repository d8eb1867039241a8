// Writes pictures of sample plots as PNG files for a reviewer: each 2-D form, a data graph
// with markers, the six surface styles and a series of four views.
//   PlotRender.exe OUTPUT-FOLDER
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "framework/win/CDC.h"
#include "plot/BoundTable.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---- a minimal PNG writer: 8-bit RGB, deflate in stored blocks -----------------------------

std::uint32_t Crc(const unsigned char* data, std::size_t n, std::uint32_t crc = 0)
{
    static std::uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        made = true;
    }
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(v >> shift));
}

void Chunk(std::vector<unsigned char>& out, const char* type,
           const std::vector<unsigned char>& data)
{
    Put32(out, std::uint32_t(data.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, Crc(body.data(), body.size()));
}

bool WritePng(const std::string& path, int width, int height, const std::vector<DWORD>& pixels)
{
    std::vector<unsigned char> raw;
    raw.reserve(std::size_t(height) * (1 + 3 * std::size_t(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            const DWORD p = pixels[std::size_t(y) * width + x];
            raw.push_back((unsigned char)(p >> 16));
            raw.push_back((unsigned char)(p >> 8));
            raw.push_back((unsigned char)p);
        }
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t pos = 0; pos < raw.size() || pos == 0;) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back((unsigned char)n);
        z.push_back((unsigned char)(n >> 8));
        z.push_back((unsigned char)~n);
        z.push_back((unsigned char)(~n >> 8));
        z.insert(z.end(), raw.begin() + std::ptrdiff_t(pos), raw.begin() + std::ptrdiff_t(pos + n));
        pos += n;
        if (n == 0)
            break;
    }
    Put32(z, (b << 16) | a);
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    Put32(header, std::uint32_t(width));
    Put32(header, std::uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

// Draws into a top-down 32-bit DIB and writes it.
bool Render(const std::string& path, int width, int height, const std::function<void(CDC&)>& draw)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(dc, hBitmap);
    draw(dc);
    ::GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    const std::vector<DWORD> pixels(p, p + std::size_t(width) * height);
    ::SelectObject(dc, hOld);
    ::DeleteObject(hBitmap);
    const bool ok = WritePng(path, width, height, pixels);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

// A table of points for the data graph.
struct SampleTable : IBoundTable {
    std::vector<double> x = {-4, -3, -2, -1, 0, 1, 2, 3, 4};
    std::vector<double> y = {7.8, 4.1, 1.9, 0.8, 0.1, 1.2, 3.8, 9.1, 15.9};
    CString GetName() const override { return "Table1"; }
    int GetLayout() const override { return 1; }
    int GetRowCount() const override { return int(x.size()); }
    int GetColumnLength(int c) const override { return c < 2 ? int(x.size()) : 0; }
    double GetValue(int c, int row) const override { return (c ? y : x)[std::size_t(row - 1)]; }
    bool HoldsValue(int, int) const override { return true; }
};

void Render2D(const std::string& folder, CCalcEngine& engine)
{
    struct Sample {
        const char* file;
        const char* expression;
        const char* second;
        int form;
        double d0, d1, x0, x1, y0, y1;
        int axisType;
    };
    const Sample samples[] = {
        {"graph_rectangular.png", "sin(3*x)*x", "", GraphRectangular, -10, 10, -10, 10, -10, 10,
         AxisTypeNormal},
        {"graph_tan_poles.png", "tan(x)", "", GraphRectangular, -3, 3, -3, 3, -10, 10,
         AxisTypeNormal},
        {"graph_polar.png", "2+sin(5*t)", "", GraphPolar, 0, 6.2832, -4, 4, -3.5, 3.5,
         AxisTypeNormal},
        {"graph_parametric.png", "3*cos(3*t)", "3*sin(2*t)", GraphParametric, 0, 6.2832, -4, 4, -4,
         4, AxisTypeFrame},
    };
    for (const Sample& s : samples) {
        CPlot2D plot;
        plot.m_pEngine = &engine;
        plot.SetPlotAreaPercent(90);
        plot.SetRanges(s.x0, s.x1, s.y0, s.y1);
        plot.m_axes.m_nAxisType = s.axisType;
        plot.AddFunction(s.expression, s.second, s.form, s.d0, s.d1);
        plot.GetItem(0)->m_nPenWidth = 2;
        if (s.form == GraphParametric)
            plot.AddFunction("3*cos(t)", "3*sin(t)", GraphParametric, 0, 6.2832);
        plot.Layout(0, 0, 640, 480);
        Render(folder + "/" + s.file, 640, 480, [&](CDC& dc) { plot.Draw(&dc); });
    }
    // A data graph: markers of a table with a fitted curve through them.
    SampleTable table;
    CPlot2D plot;
    plot.m_pEngine = &engine;
    auto* data = new CFunctionPlot;
    data->SetName("Table1");
    data->AttachDataTable(&table);
    plot.AddItem(data);
    plot.AutoRange();
    plot.AddFunction("x^2-0.2*x+0.3", "", GraphRectangular, -4, 4);
    plot.m_axes.m_nAxisType = AxisTypeFrame;
    plot.m_axes.m_bBoxed = TRUE;
    plot.m_nBorder = 1;
    plot.Layout(0, 0, 640, 480);
    Render(folder + "/graph_data_markers.png", 640, 480, [&](CDC& dc) { plot.Draw(&dc); });
}

void Render3D(const std::string& folder, CCalcEngine& engine)
{
    CPlot3DScene scene;
    scene.m_pEngine = &engine;
    scene.SetRect(0, 0, 640, 480);
    auto* surface = new CSurfacePlot;
    surface->SetResolution(40);
    scene.AddSurface(surface);
    for (int style = FillWireframe; style <= FillShaded; ++style) {
        surface->SetFillStyle(style);
        scene.m_bBoxed = style == FillHiddenLine;
        const std::string file = folder + "/surface_style" + std::to_string(style) + ".png";
        Render(file, 640, 480, [&](CDC& dc) { scene.Draw(&dc); });
    }
    scene.m_bBoxed = FALSE;
    scene.m_nAxisType = SceneAxesOrigin;
    surface->SetExpression("sin(x)*cos(y)*2");
    surface->SetFillStyle(FillShadedGrid);
    Render(folder + "/surface_origin_axes.png", 640, 480, [&](CDC& dc) { scene.Draw(&dc); });
    scene.m_nAxisType = SceneAxesFramed;
    scene.m_nViews = 4;
    scene.m_dDeltaMu = 0.5;
    Render(folder + "/surface_series4.png", 800, 600, [&](CDC& dc) {
        scene.SetRect(0, 0, 800, 600);
        scene.Draw(&dc);
    });
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    InitCalcEngine();
    CCalcEngine engine;
    Render2D(folder, engine);
    Render3D(folder, engine);
    return 0;
}
