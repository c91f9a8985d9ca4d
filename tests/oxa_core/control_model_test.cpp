// Ownership, geometry, visibility, the parent chain, class names and the
// factories of the control model.
#include <gtest/gtest.h>

#include "oxa/core/area.h"
#include "oxa/core/control_factory.h"
#include "oxa/core/panel.h"
#include "oxa/core/scroll_bar.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

// Reports its destruction.
class Tracked : public ProbeControl {
public:
    Tracked(MObject* parent, unsigned id, CRect rect, int* destroyed)
        : ProbeControl(parent, id, rect), m_destroyed(destroyed)
    {
    }
    ~Tracked() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

TEST(ControlModel, OwnerDestroysAreasAndChildren)
{
    int destroyed = 0;
    auto* root = new Tracked(nullptr, 10, CRect(0, 0, 100, 100), &destroyed);
    auto* child = new Tracked(root, 11, CRect(0, 0, 50, 50), &destroyed);
    root->AddChild(child);
    child->AddChild(new Tracked(child, 12, CRect(0, 0, 10, 10), &destroyed));
    root->AddArea(new Tracked(root, 13, CRect(0, 0, 10, 10), &destroyed));
    EXPECT_EQ(root->GetControl(12)->GetControlID(), 12u);
    EXPECT_EQ(root->GetControl(13)->GetControlID(), 13u);
    EXPECT_EQ(root->GetControl(99), nullptr);
    delete root;
    EXPECT_EQ(destroyed, 4);
}

TEST(ControlModel, GetControlIsDepthFirstOverChildrenThenAreas)
{
    ProbeControl root(nullptr, 1, CRect(0, 0, 10, 10));
    auto* first = new ProbeControl(&root, 5, CRect());
    auto* nested = new ProbeControl(first, 7, CRect());
    first->AddChild(nested);
    root.AddChild(first);
    auto* second = new ProbeControl(&root, 7, CRect());
    root.AddChild(second);
    root.AddArea(new ProbeControl(&root, 7, CRect()));
    EXPECT_EQ(root.GetControl(7), nested);
}

TEST(ControlModel, RemoveControlDropsFocusThenDestroys)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(200, 100));
    auto* panel = new MPanel(&dlg, 20, CRect(0, 0, 200, 100));
    dlg.GetPaintManager().AddControl(panel);
    panel->SetManager(&dlg.GetPaintManager());
    int destroyed = 0;
    auto* child = new Tracked(panel, 21, CRect(10, 10, 50, 50), &destroyed);
    panel->AddChild(child);
    child->SetManager(&dlg.GetPaintManager());
    dlg.GetPaintManager().SetFocusControl(child);
    EXPECT_EQ(panel->RemoveControl(child), 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), nullptr);
    EXPECT_EQ(panel->GetControl(21), nullptr);
}

TEST(ControlModel, ClassNames)
{
    ProbeControl control(nullptr, 1, CRect());
    EXPECT_EQ(control.IsClass(u"MControl"_qs), 1);
    EXPECT_EQ(control.IsClass(u"MControl "_qs), 0);
    EXPECT_EQ(control.IsClass(u"mcontrol"_qs), 0);
    CArea area(nullptr, 2, CRect());
    EXPECT_EQ(area.IsClass(u"MControl"_qs), 1);
    MPanel panel(nullptr, 3, CRect());
    EXPECT_EQ(panel.IsClass(u"MControl"_qs), 1);
    RecordingDialog dlg;
    EXPECT_EQ(dlg.IsClass(u"MDialog"_qs), 1);
    MObject object;
    EXPECT_EQ(object.GetClassNameW(), nullptr);
    EXPECT_EQ(object.IsClass(CString()), 0);
}

TEST(ControlModel, IsParentVisibleFollowsTheChainToTheDialog)
{
    RecordingDialog dlg;
    MPanel page(&dlg, 50, CRect(0, 0, 100, 100));
    ProbeControl inner(&page, 51, CRect(0, 0, 10, 10));
    ProbeControl orphan(nullptr, 52, CRect());
    EXPECT_EQ(orphan.IsParentVisible(), 0);
    EXPECT_EQ(page.IsParentVisible(), 1);
    EXPECT_EQ(inner.IsParentVisible(), 1);
    page.SetVisible(0);
    EXPECT_EQ(inner.IsVisible(), 1);
    EXPECT_EQ(inner.IsParentVisible(), 0);
    MPanel outer(&dlg, 53, CRect(), 0);
    MPanel middle(&outer, 54, CRect());
    ProbeControl deep(&middle, 55, CRect());
    EXPECT_EQ(deep.IsParentVisible(), 0);
}

TEST(ControlModel, SetVisibleAndSetEnabledRepaintOnlyOnChange)
{
    RecordingParent parent;
    ProbeControl c(&parent, 1, CRect(10, 10, 20, 20));
    c.SetVisible(1);
    c.SetEnabled(1);
    EXPECT_TRUE(parent.requests.empty());
    c.SetVisible(0);
    ASSERT_EQ(parent.requests.size(), 1u);
    EXPECT_EQ(parent.requests[0].rect, CRect(10, 10, 20, 20));
    EXPECT_EQ(parent.requests[0].redraw, 1);
    c.SetVisible(0);
    EXPECT_EQ(parent.requests.size(), 1u);
    c.SetVisible(1, 0);  // no repaint asked
    EXPECT_EQ(parent.requests.size(), 1u);
    EXPECT_EQ(c.IsVisible(), 1);
    c.SetEnabled(0);
    EXPECT_EQ(parent.requests.size(), 2u);
}

TEST(ControlModel, SetRectRepaintsTheUnionOfOldAndNew)
{
    RecordingParent parent;
    ProbeControl c(&parent, 1, CRect(10, 10, 30, 30));
    c.SetRect(CRect(50, 5, 60, 20));
    ASSERT_EQ(parent.requests.size(), 1u);
    EXPECT_EQ(parent.requests[0].rect, CRect(10, 5, 60, 30));
    EXPECT_EQ(parent.requests[0].redraw, 1);
    c.SetRect(0, 0, 5, 6);
    EXPECT_EQ(c.GetRect(), CRect(0, 0, 5, 6));
    c.SetVisible(0);
    parent.requests.clear();
    c.SetRect(CRect(1, 1, 2, 2));  // hidden: no repaint
    EXPECT_TRUE(parent.requests.empty());
}

TEST(ControlModel, NotificationClimbsTwoPanelsUnchanged)
{
    RecordingDialog dlg;
    auto* outer = new MPanel(&dlg, 50, CRect(0, 0, 300, 300));
    auto* inner = new MPanel(outer, 60, CRect(10, 10, 200, 200));
    auto* button = new ProbeControl(inner, 77, CRect(20, 20, 60, 40));
    outer->AddChild(inner);
    inner->AddChild(button);
    dlg.GetPaintManager().AddControl(outer);
    button->SendMessageW(27, 3, 0x00FF8040L);
    ASSERT_EQ(dlg.notes.size(), 1u);
    EXPECT_EQ(dlg.notes[0], (Notification{77, 27, 3, 0x00FF8040L}));
}

struct FactoryCase {
    const char16_t* name;
    bool dialog;
    bool panel;
};

TEST(ControlFactory, NameListsAndRefusals)
{
    const FactoryCase cases[] = {
        {u"CArea", true, true},          {u"MText", true, true},           {u"KeyFuncControl", false, true},
        {u"CRecordList", false, true},   {u"CustomLightMode", false, true}, {u"CDeviceList", false, true},
        {u"CComboBoxList", true, false}, {u"TextCheckButton", true, false}, {u"CTextArea", true, false},
        {u"LCDPalette3", false, true},   {u"BatteryCtrl", true, true},      {u"MTabLayout", true, true},
        {u"CScrollVertical", false, false}, {u"DPIControl", false, false},  {u"", false, false},
        {u"carea", false, false},
    };
    for (const auto& c : cases) {
        const CString name = QString::fromUtf16(c.name);
        EXPECT_EQ(DialogFactoryIndex(name) >= 0, c.dialog) << name.toStdString();
        EXPECT_EQ(PanelFactoryIndex(name) >= 0, c.panel) << name.toStdString();
    }
    // Order: the dialog ends with "BatteryCtrl"; the panel lists "MenuItem"
    // right after "CirclePalette" and ends with "LCDPalette3".
    EXPECT_EQ(DialogFactoryIndex(u"BatteryCtrl"_qs), 38);
    EXPECT_EQ(DialogFactoryIndex(u"MenuItem"_qs), DialogFactoryIndex(u"CComboBoxList"_qs) + 1);
    EXPECT_EQ(PanelFactoryIndex(u"MenuItem"_qs), PanelFactoryIndex(u"CirclePalette"_qs) + 1);
    EXPECT_EQ(PanelFactoryIndex(u"LCDPalette3"_qs), 49);
    EXPECT_FALSE(SetControlCreator(u"NoSuchClass"_qs, nullptr));
}

TEST(ControlFactory, DialogAndPanelCreateAttachAndAppend)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(300, 200));
    PaintManager& pm = dlg.GetPaintManager();
    MControl* area = dlg.CreateArea(u"CArea"_qs, 30, CRect(0, 0, 10, 10), u"ignored"_qs, 1, 0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetManager(), &pm);
    EXPECT_EQ(area->GetParantObject(), static_cast<MObject*>(&dlg));
    EXPECT_EQ(area->IsEnabled(), 1);  // an area is always created enabled
    ASSERT_EQ(pm.GetAreas().size(), 1u);
    MControl* plate = dlg.CreateControl(u"CArea"_qs, 31, CRect(0, 0, 10, 10), CString(), 0, 1);
    ASSERT_NE(plate, nullptr);
    EXPECT_EQ(plate->IsVisible(), 0);
    EXPECT_EQ(pm.GetControls().back(), plate);
    EXPECT_EQ(dlg.CreateControl(u"KeyFuncControl"_qs, 32, CRect(), CString()), nullptr);
    EXPECT_EQ(dlg.CreateControl(u"Unknown"_qs, 33, CRect(), CString()), nullptr);
    EXPECT_EQ(dlg.CreateControl(CString(), 34, CRect(), CString()), nullptr);

    auto* panel = new MPanel(&dlg, 40, CRect(0, 0, 100, 100));
    MControl* early = panel->CreateControl(u"CArea"_qs, 41, CRect(0, 0, 5, 5), CString(), 1, 1);
    ASSERT_NE(early, nullptr);
    EXPECT_EQ(early->GetManager(), nullptr);  // the panel was not attached yet
    pm.AddControl(panel);
    panel->SetManager(&pm);
    MControl* later = panel->CreateControl(u"CArea"_qs, 42, CRect(0, 0, 5, 5), CString(), 1, 1);
    EXPECT_EQ(later->GetManager(), &pm);
    EXPECT_EQ(later->GetParantObject(), static_cast<MObject*>(panel));
    EXPECT_EQ(panel->GetControls().back(), later);
    MControl* panelArea = panel->CreateArea(u"CArea"_qs, 43, CRect(0, 0, 5, 5), CString(), 1, 1);
    EXPECT_EQ(panel->GetAreas().back(), panelArea);
    EXPECT_EQ(dlg.GetControl(43), panelArea);
}

TEST(ControlModel, AreaDrawsItsColourAtAlpha14)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(120, 80));
    dlg.GetPaintManager().SetBackColor(0x000000, 0x000000);
    auto* area = static_cast<CArea*>(dlg.CreateArea(u"CArea"_qs, 30, CRect(10, 10, 110, 70), CString()));
    EXPECT_EQ(area->GetFillColor(), 0xFFFFFFu);
    area->SetTransparent(50, 50, RGB(0xC8, 0x00, 0x64));
    const QImage image = dlg.RenderImage();
    const QRgb centre = Pixel(image, 60, 40);
    // 0xC8 * 0x14 / 0xFF over black (alpha 0xFE background).
    EXPECT_NEAR(qRed(centre), 0xC8 * 0x14 / 255, 1);
    EXPECT_EQ(qGreen(centre), 0);
    EXPECT_NEAR(qBlue(centre), 0x64 * 0x14 / 255, 1);
    // The rounded corner (radius 10) leaves the corner pixel untouched.
    EXPECT_EQ(qRed(Pixel(image, 10, 10)), 0);
}

}  // namespace
