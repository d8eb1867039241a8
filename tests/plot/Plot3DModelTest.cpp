// Surfaces and the scene as the document uses them: resolution, change tests, copies, labels.
#include "plot/Plot3DScene.h"
#include "tests/plot/PlotTestSupport.h"

namespace {

class Plot3DModel : public PlotTest {};

TEST_F(Plot3DModel, ResolutionSetsTheGridFromTheScreenHeight)
{
    struct Case {
        int resolution, height, k;
    };
    const Case cases[] = {
        {0, 768, 10},  {30, 768, 16},   {50, 768, 40}, {75, 768, 113},   {100, 768, 256},
        {-5, 768, 10}, {150, 768, 256}, {100, 0, 10},  {100, 4000, 256}, {100, 40, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SurfaceGridSize(c.resolution, c.height), c.k) << c.resolution << " " << c.height;
    CSurfacePlot s;
    s.SetResolution(-5);
    EXPECT_EQ(s.GetResolution(), 0);
    EXPECT_EQ(s.m_nRows, 10);
    EXPECT_EQ(s.m_nColumns, 10);
}

TEST_F(Plot3DModel, SettersTakeOnlyChangesOfAtLeastOneHundredMillionth)
{
    CSurfacePlot s;
    s.m_bModified = s.m_bRebuild = s.m_bReproject = s.m_bReshade = FALSE;
    s.SetXRange(-3 + 5e-9, 3);
    s.SetYRange(2, 1);
    s.SetView(M_PI / 3 + 1e-9, M_PI / 3, 1000);
    s.SetLight(M_PI / 3, M_PI / 3, 1000 + 5e-9);
    s.SetExpression("(2-Y^2+X^2)*EXP(1-X^2-Y^2/4)");
    EXPECT_FALSE(s.m_bModified) << "nothing moved far enough";
    EXPECT_FALSE(s.m_bRebuild);
    s.SetXRange(-2, 3);
    EXPECT_TRUE(s.m_bRebuild && s.m_bModified);
    EXPECT_EQ(s.m_dXCentre, 0.5);
    s.SetView(1, M_PI / 3, 500);
    EXPECT_TRUE(s.m_bReproject);
    EXPECT_EQ(s.m_dViewMu, 500);
    s.SetLight(0, 0, 1000);
    EXPECT_TRUE(s.m_bReshade);
    EXPECT_STREQ(s.GetEquationText(), "z = (2-y^2+x^2)*exp(1-x^2-y^2/4)");
}

TEST_F(Plot3DModel, SceneFindsSurfacesByLabelAndCopiesSettingsOnly)
{
    CPlot3DScene scene;
    EXPECT_EQ(scene.GetCurrentSurface(), nullptr);
    auto* a = new CSurfacePlot;
    auto* b = new CSurfacePlot;
    b->SetExpression("x*y");
    EXPECT_EQ(scene.AddSurface(a), 0);
    EXPECT_EQ(scene.AddSurface(b), 1);
    EXPECT_EQ(b->m_pOwner, &scene);
    EXPECT_EQ(scene.FindSurface("Z = X*Y"), 1);
    EXPECT_EQ(scene.GetCurrentSurface(), a) << "out of range: the first";
    scene.m_nCurrent = 1;
    EXPECT_EQ(scene.GetCurrentSurface(), b);
    auto* again = new CSurfacePlot;
    again->SetExpression("X*Y");
    EXPECT_EQ(scene.AddSurface(again), 1) << "same label: replaced in place";
    EXPECT_EQ(scene.GetSurfaceCount(), 2);

    CSurfacePlot copy;
    a->SetResolution(0);
    a->SetView(0.1, 0.2, 30);
    copy.CopyFrom(*a);
    EXPECT_EQ(copy.m_nRows, 10);
    EXPECT_EQ(copy.m_dViewMu, 30);
    EXPECT_EQ(copy.m_pOwner, &scene);
    EXPECT_TRUE(copy.m_grid.empty());

    CPlot3DScene settings;
    scene.m_nViews = 4;
    scene.m_font.m_strText = "axes";
    settings.CopySettings(scene);
    EXPECT_EQ(settings.m_nViews, 4);
    EXPECT_STREQ(settings.m_font.m_strText, "axes");
    EXPECT_EQ(settings.GetSurfaceCount(), 0);
    scene.RemoveSurface(0);
    EXPECT_EQ(scene.GetSurfaceCount(), 1);
}

} // namespace
