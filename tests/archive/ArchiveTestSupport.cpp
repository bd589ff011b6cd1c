// Pictures, registry and items for the archive tests.
#include "tests/archive/ArchiveTestSupport.h"

#include "archive/CaptureDicom.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/sys/Registry.h"
#include "tests/support/TestProgramFolder.h"

namespace archivetest {

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::string Bitmap(int width, int height, int seed) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    const uint32_t pixels = stride * static_cast<uint32_t>(height);
    std::string bytes = "BM";
    PutLittleEndian(bytes, 54 + pixels, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 54, 4);
    PutLittleEndian(bytes, 40, 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(width), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(height), 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, pixels, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < stride; ++x) {
            bytes += static_cast<char>((x * 7 + static_cast<uint32_t>(y * 3 + seed)) & 0xFF);
        }
    }
    return bytes;
}

void WriteArchiveRegistry(const std::string& host, uint16_t port, const std::string& calledAe,
                          const std::string& callingAe) {
    testsupport::WriteFileBytes(sys::RegistryFile(),
                                "Windows Registry Editor Version 5.00\r\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti\\Archive]\r\n"
                                "\"Host\"=\"" +
                                    host +
                                    "\"\r\n"
                                    "\"Port\"=\"" +
                                    std::to_string(port) +
                                    "\"\r\n"
                                    "\"CalledAE\"=\"" +
                                    calledAe +
                                    "\"\r\n"
                                    "\"CallingAE\"=\"" +
                                    callingAe + "\"\r\n");
}

ArchiveItem Item(int32_t serial, const std::string& capture) {
    ArchiveItem item;
    item.customerSerialNumber = serial;
    item.pid = "PID" + std::to_string(serial);
    item.patientName = "Patient " + std::to_string(serial);
    item.visitFirst = "3/7/2016";
    item.captureName = capture;
    item.cameraName = "USB Camera (VID_1234&PID_5678)";
    item.cameraIdentity = "1234 5678-CAM00001";
    item.session = capture;
    return item;
}

void FilePicture(const ArchiveItem& item, int width, int height) {
    testsupport::WriteFileBytes(FiledPicturePath(program::Folder(), item),
                                Bitmap(width, height, item.captureName.back()));
}

}  // namespace archivetest
