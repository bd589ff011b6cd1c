// The device protocol's encoding and decoding on values and byte buffers.
#include "driver/Protocol.h"

#include <gtest/gtest.h>

#include <array>

#include "driver/DeviceIds.h"
#include "driver/framework/UsbDescriptors.h"

namespace {

TEST(Vdm, EncodesStructuredRegisterMessagesLittleEndian) {
    VDM_MESSAGE read = EncodeVdm(true, 0x5005, 0x77);
    EXPECT_EQ(read.Header, (uint32_t{MAKER_VENDOR_ID} << 16) | 0x8000 | 0x11);
    EXPECT_EQ(read.Data, 0x50050000u);  // a read carries no data byte

    VDM_MESSAGE write = EncodeVdm(false, 0x5000, 0x10);
    EXPECT_EQ(write.Header & 0xFFFF, 0x8010u);
    EXPECT_EQ(write.Data, 0x50001000u);

    std::array<uint8_t, VDM_MESSAGE_SIZE> bytes;
    VdmToBytes(write, bytes);
    EXPECT_EQ(bytes, (std::array<uint8_t, 8>{0x10, 0x80, MAKER_VENDOR_ID & 0xFF,
                                             MAKER_VENDOR_ID >> 8, 0x00, 0x10, 0x00, 0x50}));
}

TEST(Vdm, ResponseMustEchoTheRegister) {
    std::array<uint8_t, VDM_RESPONSE_SIZE> bytes;
    EncodeVdmResponse(0x5005, 0xA5, bytes);
    EXPECT_EQ(bytes, (std::array<uint8_t, 4>{0x00, 0xA5, 0x05, 0x50}));
    EXPECT_EQ(DecodeVdmResponse(bytes, 0x5005), 0xA5);
    EXPECT_EQ(DecodeVdmResponse(bytes, 0x5006), std::nullopt);
}

TEST(Bus, ControlWordsCarryTheShiftedAddressAndOffset) {
    EXPECT_EQ(BusReadControl(0xA1, 0x1234), 0x00D01234u);  // low address bit dropped, read bit set
    EXPECT_EQ(BusWriteControl(0xA0, 0x1234, 0xFFFFFFFF), 0x7F501234u);  // keeps only bits 30-24
    EXPECT_EQ(BusWriteControl(0xA0, 0x1234, 0), 0x00501234u);
}

TEST(Block, ProgramStepsSetAtMostTwoBitsAtATime) {
    struct Case {
        uint8_t current, next;
        std::vector<uint8_t> steps;
    };
    for (const Case& c :
         std::vector<Case>{{0x00, 0x11, {0x11}},
                           {0x00, 0x03, {0x01, 0x02}},
                           {0x5A, 0x5A, {}},
                           {0x01, 0x00, {0x00}},  // only a clear: a step that sets nothing
                           {0x0F, 0xFF, {0x10, 0x20, 0x40, 0x80}}}) {
        EXPECT_EQ(ProgramSteps(c.current, c.next), c.steps)
            << int(c.current) << " -> " << int(c.next);
    }
}

TEST(Block, RulesProtectBytesThreeToSeventeenAndTheLock) {
    std::array<uint8_t, 32> current{};
    std::array<uint8_t, 32> next{};
    current[1] = 0x80;
    EXPECT_TRUE(BlockIsLocked(current));
    current[1] = 0x7F;
    EXPECT_FALSE(BlockIsLocked(current));

    for (size_t index : {2, 3, 5, 17, 18, 20}) {
        current = {};
        next = {};
        current[index] = 0x01;
        EXPECT_EQ(BlockClearsProtectedBit(current, next), index >= 3 && index <= 17) << index;
    }
}

TEST(Notification, DecodesOnlyWhatTheTransferCarries) {
    struct Case {
        std::vector<uint8_t> transfer;
        bool eightPort;
        std::optional<NotificationKind> kind;
        uint8_t value;
    };
    for (const Case& c : std::vector<Case>{{{0}, false, NotificationKind::Connection, 0},
                                           {{1}, false, NotificationKind::Connection, 1},
                                           {{0, 0x05}, true, NotificationKind::Connection, 0x05},
                                           {{1}, true, std::nullopt, 0},  // mask byte missing
                                           {{}, false, std::nullopt, 0},
                                           {{2}, false, NotificationKind::ValueCommand, 0},
                                           {{3, 9}, true, NotificationKind::ValueCommand, 1},
                                           {{4}, false, NotificationKind::Message, 0},
                                           {{5}, true, NotificationKind::Message, 1},
                                           {{6}, false, std::nullopt, 0},
                                           {{0xFF}, false, std::nullopt, 0}}) {
        auto decoded = DecodeNotification(c.transfer, c.eightPort);
        ASSERT_EQ(decoded.has_value(), c.kind.has_value()) << testing::PrintToString(c.transfer);
        if (decoded) {
            EXPECT_EQ(decoded->Kind, *c.kind);
            EXPECT_EQ(decoded->Value, c.value);
        }
    }
}

TEST(Descriptors, WalkStopsAtMalformedDescriptors) {
    // configuration, interface 0 (one endpoint), interface 1, then a descriptor claiming 9 bytes
    // where only 3 remain.
    std::vector<uint8_t> bytes = {9, 2, 0,    0, 2, 1,    0,  0x80, 50,  //
                                  9, 4, 0,    0, 1, 3,    0,  0,    0,   //
                                  7, 5, 0x81, 3, 8, 0,    10,            //
                                  9, 4, 1,    0, 0, 0xFF, 0,  0,    0,   //
                                  9, 5, 0x82};
    auto* first = USBD_ParseDescriptors(bytes.data(), bytes.size(), bytes.data(),
                                        USB_INTERFACE_DESCRIPTOR_TYPE);
    ASSERT_EQ(first, reinterpret_cast<const USB_COMMON_DESCRIPTOR*>(bytes.data() + 9));
    auto* firstInterface = reinterpret_cast<const USB_INTERFACE_DESCRIPTOR*>(first);
    EXPECT_EQ(USBD_GetInterfaceLength(firstInterface, bytes.data() + bytes.size()), 16u);

    auto* second = USBD_ParseDescriptors(bytes.data(), bytes.size(), bytes.data() + 25,
                                         USB_INTERFACE_DESCRIPTOR_TYPE);
    ASSERT_EQ(second, reinterpret_cast<const USB_COMMON_DESCRIPTOR*>(bytes.data() + 25));
    EXPECT_EQ(USBD_ParseDescriptors(bytes.data(), bytes.size(), bytes.data() + 34,
                                    USB_ENDPOINT_DESCRIPTOR_TYPE),
              nullptr);
    std::vector<uint8_t> zeroLength = {0, 4, 9, 4};
    EXPECT_EQ(USBD_ParseDescriptors(zeroLength.data(), zeroLength.size(), zeroLength.data(),
                                    USB_INTERFACE_DESCRIPTOR_TYPE),
              nullptr);
}

}  // namespace
