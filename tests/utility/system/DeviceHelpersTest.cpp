// Listing cameras and delivering USB removal to a window, with virtual cameras.
#include "utility/system/DeviceHelpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/capture/VirtualCamera.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/testing/UiTesting.h"
#include "resources/ResourceIds.h"

namespace {

using capture::testing::VirtualCamera;

TEST(DeviceHelpers, EnumerationStopsAtTheMaximum) {
    VirtualCamera first, second;
    std::vector<std::wstring> names;
    auto store = [&](int32_t& counter, const capture::VideoDevice&, const std::wstring& name) {
        names.push_back(name);
        ++counter;
    };
    int32_t counter = 0;
    UTILITY_EnumVideoDevices(32, counter, store);
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(names,
              (std::vector<std::wstring>{first.Device().displayName, second.Device().displayName}));
    counter = 0;
    names.clear();
    UTILITY_EnumVideoDevices(1, counter, store);
    EXPECT_EQ(names, std::vector<std::wstring>{first.Device().displayName});
}

// A window that ends its modal run with the first device-change event it receives.
class DeviceWatcher final : public ui::Dialog {
  public:
    DeviceWatcher() : ui::Dialog(resources::kDialogCamera, nullptr) {
        OnDeviceChange(&DeviceWatcher::OnDeviceEvent);
    }

  private:
    void OnDeviceEvent(uint32_t event) { EndDialog(static_cast<int>(event)); }
};

TEST(DeviceHelpers, UnplugReachesTheRegisteredWindowAsItsDeviceChangeMessage) {
    ui::testing::StartUi();
    VirtualCamera camera;
    DeviceWatcher window;
    DeviceNotifyHandle handle = UTILITY_RegisterDeviceNotify(GUID_DEVINTERFACE_USB_DEVICE, &window);
    ASSERT_NE(handle, nullptr);
    ui::testing::OnNextModal([&](ui::testing::ModalWindow& modal) {
        camera.Unplug();
        EXPECT_TRUE(modal.WaitUntilEnded(2000));
    });
    EXPECT_EQ(window.DoModal(), static_cast<int>(DBT_DEVICEREMOVECOMPLETE));
    UTILITY_UnregisterDeviceNotify(handle);
    EXPECT_EQ(handle, nullptr);
    UTILITY_UnregisterDeviceNotify(handle);  // a null handle is ignored

    capture::Guid other = GUID_DEVINTERFACE_USB_DEVICE;
    other[15] ^= 1;
    EXPECT_EQ(UTILITY_RegisterDeviceNotify(other, &window), nullptr);
}

}  // namespace
