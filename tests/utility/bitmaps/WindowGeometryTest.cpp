// Window rectangle operations on real windows, and the point test's edges.
#include <gtest/gtest.h>

#include "platform/ui/testing/UiTesting.h"
#include "resources/ResourceIds.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/bitmaps/WindowGeometry.h"
#include "utility/boxes/CImageYesNoBoxDlg.h"

namespace {

class WindowGeometryTest : public ui::testing::UiTest {};

TEST_F(WindowGeometryTest, PointsOnEveryEdgeAreInside) {
    const ui::Rect rect{10, 20, 30, 40};
    const struct {
        ui::Point point;
        bool inside;
    } cases[] = {{{10, 20}, true},  {{30, 40}, true},  {{10, 40}, true},
                 {{30, 20}, true},  {{20, 30}, true},  {{9, 30}, false},
                 {{31, 30}, false}, {{20, 19}, false}, {{20, 41}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(UTILITY_PointInRect(c.point, rect), c.inside) << c.point.x << "," << c.point.y;
    }
}

TEST_F(WindowGeometryTest, CentringResizingAndFittingPictures) {
    CImageYesNoBoxDlg box(nullptr, L"?");
    ui::testing::OnNextModal([&box](ui::testing::ModalWindow& window) {
        box.Move(0, 0);  // screen and client coordinates agree
        auto* yes = box.Control<ui::Button>(resources::kControlBoxYes);
        auto* no = box.Control<ui::Button>(resources::kControlBoxNo);
        yes->SetPlacement(ui::Rect::FromSize(300, 10, 100, 20));
        no->SetPlacement(ui::Rect::FromSize(0, 50, 200, 20));
        UTILITY_CenterWindowOver(yes, no);
        EXPECT_EQ(no->PlacementRect(), ui::Rect::FromSize(250, 10, 200, 20));

        UTILITY_ResizeWindowAroundCenter(no, 100, 41);
        EXPECT_EQ(no->PlacementRect(), ui::Rect::FromSize(300, 0, 100, 41));
        UTILITY_MoveChildWindowBy(&box, no, 5, -3);
        UTILITY_SetWindowSize(no, 80, 60);
        EXPECT_EQ(no->PlacementRect(), ui::Rect::FromSize(305, -3, 80, 60));

        ui::Bitmap holder;
        UTILITY_SetButtonBitmapFit(&box, holder, ui::Bitmap(640, 480), no);
        EXPECT_EQ(holder.Dimensions(), (ui::Size{80, 60}));
        UTILITY_SetButtonBitmapFit(&box, holder, ui::Bitmap(480, 640), no);
        EXPECT_EQ(holder.Dimensions(), (ui::Size{45, 60}));
        UTILITY_SetButtonBitmapStretched(&box, holder, ui::Bitmap(480, 640), no);
        EXPECT_EQ(holder.Dimensions(), (ui::Size{80, 60}));
        UTILITY_SetButtonBitmap(no, holder, resources::kBitmapOk);
        EXPECT_EQ(holder.Dimensions(), (ui::Size{79, 29}));

        UTILITY_ResizeWindowToBitmap(no, 9305);
        EXPECT_EQ(no->PlacementRect(), ui::Rect::FromSize(305, -3, 76, 27));
        ui::Rect inClient;
        UTILITY_GetBitmapRectInClient(&box, 100, 40, resources::kBitmapOk, inClient);
        EXPECT_EQ(inClient, ui::Rect::FromSize(100, 40, 79, 29));
        window.End(2);
    });
    box.DoModal();
    EXPECT_EQ(UTILITY_GetScreenWidth(), 1920);
    EXPECT_EQ(UTILITY_GetScreenHeight(), 1080);
}

}  // namespace
