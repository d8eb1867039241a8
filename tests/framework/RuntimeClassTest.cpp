#include "framework/core/CObject.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A three-level chain: CShape <- CPolygon <- CSquare, plus an unrelated dynamic class.
class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
class CPolygon : public CShape {
    DECLARE_DYNCREATE(CPolygon)
public:
    int m_nSides = 3;
};
class CSquare : public CPolygon {
    DECLARE_SERIAL(CSquare)
public:
    CSquare() { m_nSides = 4; }
};
class CLabel : public CObject {
    DECLARE_DYNCREATE(CLabel)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CPolygon, CShape)
IMPLEMENT_SERIAL(CSquare, CPolygon, 1)
IMPLEMENT_DYNCREATE(CLabel, CObject)

TEST(RuntimeClass, IsKindOfAlongTheChain)
{
    const CSquare square;
    const CPolygon polygon;
    const CLabel label;
    struct Case {
        const CObject* object;
        const CRuntimeClass* cls;
        bool expected;
    };
    const Case cases[] = {
        {&square, RUNTIME_CLASS(CSquare), true}, {&square, RUNTIME_CLASS(CPolygon), true},
        {&square, RUNTIME_CLASS(CShape), true},  {&square, RUNTIME_CLASS(CObject), true},
        {&square, RUNTIME_CLASS(CLabel), false}, {&polygon, RUNTIME_CLASS(CSquare), false},
        {&polygon, RUNTIME_CLASS(CShape), true}, {&label, RUNTIME_CLASS(CShape), false},
        {&label, RUNTIME_CLASS(CObject), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bool(c.object->IsKindOf(c.cls)), c.expected)
            << c.object->GetRuntimeClass()->m_lpszClassName << " kind of "
            << c.cls->m_lpszClassName;
    EXPECT_STREQ(square.GetRuntimeClass()->m_lpszClassName, "CSquare");
    EXPECT_EQ(square.GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(CPolygon));
    EXPECT_EQ(RUNTIME_CLASS(CSquare)->m_nObjectSize, int(sizeof(CSquare)));
}

TEST(RuntimeClass, CreatesByName)
{
    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CSquare"));
    ASSERT_NE(square, nullptr);
    ASSERT_TRUE(square->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(static_cast<CSquare*>(square.get())->m_nSides, 4);

    std::unique_ptr<CObject> polygon(RUNTIME_CLASS(CPolygon)->CreateObject());
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->GetRuntimeClass(), RUNTIME_CLASS(CPolygon));

    EXPECT_EQ(CRuntimeClass::FromName("CLabel"), RUNTIME_CLASS(CLabel));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    // Not creatable, unknown, or spelled in another case: nothing is made.
    EXPECT_EQ(CRuntimeClass::CreateObject("CShape"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CCircle"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("csquare"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject(nullptr), nullptr);
}

} // namespace
